#include "DeviceFixture.h"

namespace {

class ReferenceCounts : public device_test::DeviceTest {};

TEST_F(ReferenceCounts, AddRefAndReleaseCountAndTheLastReleaseDestroys) {
    D3D10_BUFFER_DESC desc = {64, D3D10_USAGE_DEFAULT, D3D10_BIND_VERTEX_BUFFER, 0, 0};
    const float data[16] = {};
    D3D10_SUBRESOURCE_DATA initial = {data, 0, 0};
    ID3D10Buffer* buffer = nullptr;
    ASSERT_EQ(device_->CreateBuffer(&desc, &initial, &buffer), S_OK);
    EXPECT_EQ(buffer->AddRef(), 2u);
    EXPECT_EQ(buffer->Release(), 1u);
    EXPECT_EQ(buffer->Release(), 0u);
}

TEST_F(ReferenceCounts, ChildrenKeepTheDeviceAndViewsKeepTheirTexture) {
    ULONG before = device_->AddRef() - 1;
    device_->Release();
    D3D10_TEXTURE2D_DESC desc = {16, 16, 1, 1, DXGI_FORMAT_R8G8B8A8_UNORM, {1, 0}, D3D10_USAGE_DEFAULT,
                                 D3D10_BIND_SHADER_RESOURCE | D3D10_BIND_RENDER_TARGET, 0, 0};
    ID3D10Texture2D* texture = nullptr;
    ASSERT_EQ(device_->CreateTexture2D(&desc, nullptr, &texture), S_OK);
    EXPECT_EQ(device_->AddRef(), before + 2);
    device_->Release();

    ID3D10ShaderResourceView* view = nullptr;
    ASSERT_EQ(device_->CreateShaderResourceView(texture, nullptr, &view), S_OK);
    EXPECT_EQ(texture->Release(), 1u);  // the view still holds it
    ID3D10Resource* resource = nullptr;
    view->GetResource(&resource);
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(resource->Release(), 1u);

    ID3D10Device* owner = nullptr;
    view->GetDevice(&owner);
    EXPECT_EQ(owner, device_);
    owner->Release();
    EXPECT_EQ(view->Release(), 0u);
    EXPECT_EQ(device_->AddRef(), before + 1);
    device_->Release();
}

TEST_F(ReferenceCounts, BoundObjectsAndEffectVariablesHoldTheirReferences) {
    LoadEffect(device_test::kTexturedEffect);
    D3D10_TEXTURE2D_DESC desc = {4, 4, 1, 1, DXGI_FORMAT_R8G8B8A8_UNORM, {1, 0}, D3D10_USAGE_DEFAULT,
                                 D3D10_BIND_SHADER_RESOURCE, 0, 0};
    ID3D10Texture2D* texture = nullptr;
    ASSERT_EQ(device_->CreateTexture2D(&desc, nullptr, &texture), S_OK);
    ID3D10ShaderResourceView* view = nullptr;
    ASSERT_EQ(device_->CreateShaderResourceView(texture, nullptr, &view), S_OK);
    texture->Release();
    ASSERT_EQ(effect_->GetVariableByName("Image")->AsShaderResource()->SetResource(view), S_OK);
    EXPECT_EQ(view->AddRef(), 3u);
    view->Release();
    ID3D10ShaderResourceView* back = nullptr;
    ASSERT_EQ(effect_->GetVariableByName("Image")->AsShaderResource()->GetResource(&back), S_OK);
    EXPECT_EQ(back, view);
    back->Release();
    ASSERT_EQ(effect_->GetVariableByName("Image")->AsShaderResource()->SetResource(nullptr), S_OK);
    EXPECT_EQ(view->Release(), 0u);

    ID3D10RenderTargetView* target = backBufferView_;
    EXPECT_EQ(target->AddRef(), 3u);  // ours, the fixture's binding, this one
    target->Release();
    device_->ClearState();
    EXPECT_EQ(target->AddRef(), 2u);
    target->Release();
}

TEST_F(ReferenceCounts, QueryInterfaceAnswersOnlyWhatTheObjectIs) {
    void* object = nullptr;
    EXPECT_EQ(backBuffer_->QueryInterface(IID_ID3D10Resource, &object), S_OK);
    EXPECT_EQ(static_cast<ID3D10Resource*>(object), static_cast<ID3D10Resource*>(backBuffer_));
    static_cast<IUnknown*>(object)->Release();
    EXPECT_EQ(backBuffer_->QueryInterface(IID_ID3D10Buffer, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(device_->QueryInterface(IID_ID3D10Device, &object), S_OK);
    static_cast<IUnknown*>(object)->Release();
    EXPECT_EQ(swapChain_->QueryInterface(IID_IDXGISwapChain, &object), S_OK);
    static_cast<IUnknown*>(object)->Release();
    EXPECT_EQ(swapChain_->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

}  // namespace
