// Time-driven animators that write one variable of a pack while the elapsed
// time lies in their interval.
#pragma once

#include "varpack.h"

#include <boost/bind/bind.hpp>

#include <algorithm>
#include <vector>

namespace VRK {

class IController {
public:
    virtual ~IController() {}
    virtual void Start(int time) = 0;
    virtual void Update(int time) = 0;
    virtual void AddChild(IController* child, int startOffset) = 0;
};

struct ChildController {
    IController* controller_;  // not owned
    int startOffset_;
};

enum class ControllerState { Pending = 0, Running = 1, Finished = 2 };

template <typename T>
class Controller : public IController {
public:
    Controller(VarPack* pack, unsigned id, int begin, int end, bool loop)
        : start_(0), begin_(begin), end_(end), pack_(pack), id_(id), loop_(loop),
          state_(ControllerState::Pending) {}

    // Neither the children nor the pack belong to the controller.
    virtual ~Controller() {}

    virtual void Start(int time) {
        start_ = time;
        state_ = ControllerState::Pending;
        std::for_each(children_.begin(), children_.end(),
                      boost::bind(&Controller::StartChild, this, boost::placeholders::_1, time));
    }

    virtual void Update(int time) {
        // Tick counts wrap at 2^32: the elapsed time is their difference read
        // as a signed number.
        int elapsed = static_cast<int>(static_cast<unsigned>(time) - static_cast<unsigned>(start_));
        if (elapsed < begin_) {
            Write(T(0));
            state_ = ControllerState::Pending;
        } else if (elapsed < end_) {
            state_ = ControllerState::Running;
            T value = Evaluate(elapsed);
            Write(value);
        } else if (state_ == ControllerState::Running) {
            if (loop_) {
                // The period is end_; the variable keeps its last value until
                // the next update.
                Start(static_cast<int>(static_cast<unsigned>(start_) + static_cast<unsigned>(end_)));
            } else {
                Write(T(0));
                state_ = ControllerState::Finished;
            }
        }
        std::for_each(children_.begin(), children_.end(),
                      boost::bind(&Controller::UpdateChild, this, boost::placeholders::_1, time));
    }

    virtual void AddChild(IController* child, int startOffset) {
        ChildController entry = {child, startOffset};
        children_.push_back(entry);
    }

    // The curve's value `time` ms after the start, for begin_ <= time < end_.
    virtual T Evaluate(int time) = 0;

protected:
    int start_;
    int begin_;
    int end_;
    VarPack* pack_;
    unsigned id_;
    bool loop_;
    ControllerState state_;
    std::vector<ChildController> children_;

private:
    void Write(T value) {
        if (pack_) {
            pack_->Set(id_, value);
        }
    }

    void StartChild(const ChildController& child, int time) {
        child.controller_->Start(static_cast<int>(static_cast<unsigned>(time) +
                                                  static_cast<unsigned>(child.startOffset_)));
    }

    void UpdateChild(const ChildController& child, int time) { child.controller_->Update(time); }
};

}  // namespace VRK
