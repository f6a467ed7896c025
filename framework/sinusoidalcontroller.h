// A controller that writes an offset plus a sine; frequency_ counts full
// cycles per interval length, phase_ is in radians.
#pragma once

#include "controller.h"

#include <cassert>
#include <cmath>

namespace VRK {

template <typename T>
class SinusoidalController : public Controller<T> {
public:
    SinusoidalController(VarPack* pack, unsigned id, int begin, int end, bool loop, T offset,
                         T amplitude, T frequency, T phase)
        : Controller<T>(pack, id, begin, end, loop), offset_(offset), amplitude_(amplitude),
          frequency_(frequency), phase_(phase) {}

    virtual ~SinusoidalController() {}

    virtual T Evaluate(int time) {
        assert(begin_ <= time && time < end_);
        T f = frequency_ / static_cast<T>(end_ - begin_);
        // 6.2831855 is 2*pi in single precision; the sine is taken in double.
        T a = f * 6.2831855f * static_cast<T>(time - begin_) + phase_;
        return offset_ + amplitude_ * static_cast<T>(std::sin(static_cast<double>(a)));
    }

protected:
    using Controller<T>::begin_;
    using Controller<T>::end_;

    T offset_;
    T amplitude_;
    T frequency_;
    T phase_;
};

}  // namespace VRK
