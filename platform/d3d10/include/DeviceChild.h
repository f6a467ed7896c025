// The part every device child shares: a strong reference to its device, so
// the device and its GL context outlive whatever was made on them.
#pragma once

#include <d3d10.h>

#include "ComObject.h"
#include "Device.h"

namespace d3d10 {

template <class Interface>
class DeviceChild : public RefCounted<Interface> {
public:
    void GetDevice(ID3D10Device** device) override {
        if (!device) return;
        device_->AddRef();
        *device = device_;
    }

    Device* OwnerDevice() const { return device_; }

    // For objects the device itself owns (its default states): they must not
    // keep it alive, or it would never go.
    void DropDeviceReference() {
        if (!holdsDevice_) return;
        holdsDevice_ = false;
        device_->Release();
    }

protected:
    explicit DeviceChild(Device* device) : device_(device) { device_->AddRef(); }
    ~DeviceChild() override {
        if (holdsDevice_) device_->Release();
    }

    Device* device_;

private:
    bool holdsDevice_ = true;
};

}  // namespace d3d10
