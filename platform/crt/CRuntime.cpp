// The C runtime's random number generator as the program was built against
// it: glibc's rand is a different generator, and every picture of the show
// depends on this sequence. Static linking puts these definitions ahead of
// glibc's for every object linked before the platform library.
#include <cstdlib>

namespace {

unsigned int randomState = 1;

}  // namespace

// Hidden, so that the executable never exports them: shared libraries such
// as Mesa's drivers call rand too, and must not draw from the program's
// sequence.
extern "C" __attribute__((visibility("hidden"))) void srand(unsigned int start) noexcept {
    randomState = start;
}

extern "C" __attribute__((visibility("hidden"))) int rand() noexcept {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}
