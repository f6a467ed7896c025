// A controller that goes linearly from one value to another across its interval.
#pragma once

#include "controller.h"

#include <cassert>

namespace VRK {

template <typename T>
class LinearController : public Controller<T> {
public:
    LinearController(VarPack* pack, unsigned id, int begin, int end, bool loop, T from, T to)
        : Controller<T>(pack, id, begin, end, loop), from_(from), to_(to) {}

    virtual ~LinearController() {}

    virtual T Evaluate(int time) {
        assert(begin_ <= time && time < end_);
        float x = static_cast<float>(static_cast<double>(time - begin_) /
                                     static_cast<double>(end_ - begin_));
        return (1 - x) * from_ + x * to_;
    }

protected:
    using Controller<T>::begin_;
    using Controller<T>::end_;

    T from_;
    T to_;
};

}  // namespace VRK
