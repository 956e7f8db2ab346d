#pragma once

namespace Sprig {
namespace boost {

// Base of every concrete node class: nodes are owned by their container and never copied.
class noncopyable {
public:
    noncopyable() = default;
    noncopyable(const noncopyable&) = delete;
    noncopyable& operator=(const noncopyable&) = delete;
    virtual ~noncopyable() = default;
};

}
}
