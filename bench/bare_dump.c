/* The yardstick of the start-up benchmark: a program that uses only the C runtime, copying the
   file named by its argument to standard output. */
#include <stdio.h>

int main(int argc, char** argv)
{
    char buffer[65536];
    size_t size;
    FILE* in;
    if (argc < 2 || !(in = fopen(argv[1], "rb")))
        return 0;
    while ((size = fread(buffer, 1, sizeof buffer, in)) > 0)
        fwrite(buffer, 1, size, stdout);
    fclose(in);
    return 0;
}
