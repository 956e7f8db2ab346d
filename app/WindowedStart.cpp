#include "app/WindowedStart.h"

int RunWindowed()
{
    return 0;
}
