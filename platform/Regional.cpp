#include "Regional.h"

namespace platform {

namespace {
Regional& active() {
    static Regional r;
    return r;
}
}  // namespace

const Regional& Regional::current() {
    return active();
}
void Regional::setCurrent(const Regional& r) {
    active() = r;
}

}  // namespace platform
