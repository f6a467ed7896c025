#include "linearcontroller.h"
#include "sinusoidalcontroller.h"
#include "varpack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const float kUnwritten = -123.0f;

// Logs its starts and updates so that tests can see which calls reached it, and when.
class RecordingController : public VRK::IController {
public:
    void Start(int time) override { log.push_back("start " + std::to_string(time)); }
    void Update(int time) override { log.push_back("update " + std::to_string(time)); }
    void AddChild(VRK::IController*, int) override {}

    std::vector<std::string> log;
};

class CountingController : public VRK::Controller<float> {
public:
    CountingController(VRK::VarPack* pack, int begin, int end, bool loop)
        : VRK::Controller<float>(pack, 0, begin, end, loop) {}
    float Evaluate(int time) override {
        ++evaluations;
        return static_cast<float>(time);
    }
    int evaluations = 0;
};

}  // namespace

TEST(Controller, LinearTimelineWithoutLoop) {
    VRK::VarPack pack(1);
    pack.Set(0, kUnwritten);
    VRK::LinearController<float> controller(&pack, 0, 0, 1000, false, 0.0f, 10.0f);
    controller.Start(5000);
    EXPECT_EQ(pack.Get(0), kUnwritten);

    controller.Update(4999);
    EXPECT_EQ(pack.Get(0), 0.0f);
    pack.Set(0, kUnwritten);
    controller.Update(5000);
    EXPECT_EQ(pack.Get(0), 0.0f);
    controller.Update(5500);
    EXPECT_EQ(pack.Get(0), 5.0f);
    controller.Update(5999);
    EXPECT_EQ(pack.Get(0), 0.999f * 10.0f);
    controller.Update(6000);
    EXPECT_EQ(pack.Get(0), 0.0f);

    // Finished: later updates past the end write nothing.
    pack.Set(0, kUnwritten);
    controller.Update(7000);
    EXPECT_EQ(pack.Get(0), kUnwritten);

    // Time going back into the interval runs it again.
    controller.Update(5500);
    EXPECT_EQ(pack.Get(0), 5.0f);
}

TEST(Controller, LinearBlendIsWeightedSumInSinglePrecision) {
    VRK::VarPack pack(1);
    VRK::LinearController<float> controller(&pack, 0, 0, 1000, false, 0.1f, 0.7f);
    controller.Start(0);
    controller.Update(1);
    // (1 - x) * from + x * to in float; from + x * (to - from), or the same
    // sum in double, ends one bit higher.
    EXPECT_EQ(pack.Get(0), 0x1.9c0ebep-4f);
}

TEST(Controller, LoopRestartsAtStartPlusEndAndWritesNothingThen) {
    VRK::VarPack pack(1);
    VRK::LinearController<float> controller(&pack, 0, 0, 1000, true, 0.0f, 10.0f);
    controller.Start(5000);
    controller.Update(5999);
    EXPECT_EQ(pack.Get(0), 0.999f * 10.0f);
    controller.Update(6000);
    EXPECT_EQ(pack.Get(0), 0.999f * 10.0f);
    controller.Update(6001);
    EXPECT_EQ(pack.Get(0), 0.001f * 10.0f);

    // A late restarting update still restarts at start + end (7000), so
    // 7300 reads as 300 ms into the new period.
    controller.Update(7250);
    controller.Update(7300);
    EXPECT_FLOAT_EQ(pack.Get(0), 3.0f);
}

TEST(Controller, LoopPeriodIsEndWithZeroBeforeBegin) {
    VRK::VarPack pack(1);
    VRK::LinearController<float> controller(&pack, 0, 200, 1000, true, 0.0f, 8.0f);
    controller.Start(0);
    controller.Update(100);
    EXPECT_EQ(pack.Get(0), 0.0f);
    controller.Update(600);
    EXPECT_EQ(pack.Get(0), 4.0f);
    controller.Update(1000);  // restarts at 1000
    EXPECT_EQ(pack.Get(0), 4.0f);
    controller.Update(1199);
    EXPECT_EQ(pack.Get(0), 0.0f);
    controller.Update(1200);
    EXPECT_EQ(pack.Get(0), 0.0f);
    controller.Update(1600);
    EXPECT_EQ(pack.Get(0), 4.0f);
}

TEST(Controller, FirstUpdatePastTheEndNeverWritesNorLoops) {
    VRK::VarPack pack(1);
    pack.Set(0, kUnwritten);
    VRK::LinearController<float> controller(&pack, 0, 0, 1000, true, 1.0f, 2.0f);
    controller.Start(0);
    controller.Update(1500);
    controller.Update(2200);
    EXPECT_EQ(pack.Get(0), kUnwritten);
    // A restart moves it back into its interval.
    controller.Start(2000);
    controller.Update(2500);
    EXPECT_EQ(pack.Get(0), 1.5f);
}

TEST(Controller, NullPackStillEvaluatesAndChangesState) {
    CountingController controller(nullptr, 0, 100, false);
    controller.Start(0);
    controller.Update(50);
    EXPECT_EQ(controller.evaluations, 1);
    controller.Update(150);  // finishes without a pack to write
    controller.Update(60);
    EXPECT_EQ(controller.evaluations, 2);
}

TEST(Controller, ElapsedTimeWrapsWithTheTickCount) {
    VRK::VarPack pack(1);
    CountingController controller(&pack, 0, 1000, false);
    controller.Start(static_cast<int>(4294967040u));  // 2^32 - 256
    controller.Update(256);
    EXPECT_EQ(pack.Get(0), 512.0f);
    EXPECT_EQ(controller.evaluations, 1);
}

TEST(Controller, LoopRestartWrapsWithTheTickCount) {
    VRK::VarPack pack(1);
    CountingController controller(&pack, 0, 1000, true);
    controller.Start(2147483000);
    controller.Update(2147483500);
    controller.Update(static_cast<int>(2147484000u));  // restarts past INT_MAX
    controller.Update(static_cast<int>(2147484100u));
    EXPECT_EQ(pack.Get(0), 100.0f);
}

TEST(Controller, SinusoidalCurve) {
    VRK::VarPack pack(1);
    VRK::SinusoidalController<float> controller(&pack, 0, 0, 1000, true, 1.0f, 2.0f, 1.0f, 0.0f);
    controller.Start(0);
    controller.Update(0);
    EXPECT_EQ(pack.Get(0), 1.0f);
    controller.Update(250);
    EXPECT_EQ(pack.Get(0), 3.0f);
    controller.Update(500);
    EXPECT_NEAR(pack.Get(0), 1.0f, 1e-6);
    controller.Update(750);
    EXPECT_NEAR(pack.Get(0), -1.0f, 1e-6);
}

TEST(Controller, SinusoidalFrequencyCountsCyclesPerIntervalAndPhaseShifts) {
    VRK::SinusoidalController<float> twice(nullptr, 0, 200, 1200, false, 0.0f, 1.0f, 2.0f, 0.0f);
    EXPECT_NEAR(twice.Evaluate(200 + 125), 1.0f, 1e-6);
    EXPECT_NEAR(twice.Evaluate(200 + 375), -1.0f, 1e-6);
    VRK::SinusoidalController<float> shifted(nullptr, 0, 0, 1000, false, 0.0f, 1.0f, 1.0f,
                                             1.5707964f);
    EXPECT_NEAR(shifted.Evaluate(0), 1.0f, 1e-6);
}

TEST(Controller, ChildrenStartWithOffsetAndUpdateWithParentTick) {
    VRK::VarPack pack(1);
    VRK::LinearController<float> parent(&pack, 0, 0, 1000, true, 0.0f, 1.0f);
    RecordingController first;
    RecordingController second;
    parent.AddChild(&first, 300);
    parent.AddChild(&second, -50);
    parent.Start(1000);
    parent.Update(1500);
    parent.Update(2000);  // the parent restarts at 2000, then updates children
    std::vector<std::string> expected = {"start 1300", "update 1500", "start 2300", "update 2000"};
    EXPECT_EQ(first.log, expected);
    std::vector<std::string> expectedSecond = {"start 950", "update 1500", "start 1950",
                                               "update 2000"};
    EXPECT_EQ(second.log, expectedSecond);
}

TEST(Controller, ChildLinearControllerRunsOnItsOwnTimeline) {
    VRK::VarPack pack(2);
    VRK::LinearController<float> parent(&pack, 0, 0, 1000, false, 0.0f, 1.0f);
    VRK::LinearController<float> child(&pack, 1, 0, 100, false, 0.0f, 10.0f);
    parent.AddChild(&child, 300);
    parent.Start(0);
    parent.Update(200);
    EXPECT_EQ(pack.Get(1), 0.0f);
    parent.Update(350);
    EXPECT_EQ(pack.Get(0), 0.35f);
    EXPECT_EQ(pack.Get(1), 5.0f);
}

TEST(ControllerDeathTest, EvaluateOutsideTheIntervalFailsTheAssertion) {
    VRK::LinearController<float> linear(nullptr, 0, 100, 200, false, 0.0f, 1.0f);
    EXPECT_DEATH(linear.Evaluate(99), "begin_ <= time && time < end_");
    EXPECT_DEATH(linear.Evaluate(200), "begin_ <= time && time < end_");
    VRK::SinusoidalController<float> sine(nullptr, 0, 100, 200, false, 0.0f, 1.0f, 1.0f, 0.0f);
    EXPECT_DEATH(sine.Evaluate(200), "begin_ <= time && time < end_");
}
