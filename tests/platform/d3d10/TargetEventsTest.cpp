#include "DeviceFixture.h"

using platform_testing::TargetEvent;

namespace {

class TargetEvents : public device_test::DeviceTest {};

TEST_F(TargetEvents, RecordsBindsAndClearsInCallOrderUntilStopped) {
    std::vector<TargetEvent> log;
    platform_testing::RecordTargetEvents(device_, &log);
    const FLOAT black[4] = {0, 0, 0, 1};
    device_->OMSetRenderTargets(1, &backBufferView_, nullptr);
    device_->ClearRenderTargetView(backBufferView_, black);
    device_->OMSetRenderTargets(0, nullptr, nullptr);
    platform_testing::RecordTargetEvents(device_, nullptr);
    device_->OMSetRenderTargets(1, &backBufferView_, nullptr);

    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].kind, TargetEvent::Bind);
    EXPECT_EQ(log[0].view, backBufferView_);
    EXPECT_EQ(log[1].kind, TargetEvent::Clear);
    EXPECT_EQ(log[1].view, backBufferView_);
    EXPECT_EQ(log[2].kind, TargetEvent::Bind);
    EXPECT_EQ(log[2].view, nullptr);
}

}  // namespace
