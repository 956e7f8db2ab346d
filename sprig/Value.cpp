#include "sprig/Value.h"

namespace Sprig {

Value::Value(const std::string& value) : value(value) {}

}
