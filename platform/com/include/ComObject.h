// Reference counting shared by every Direct3D and DXGI object of the layer,
// and a small owning pointer for the references the layer keeps itself.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <utility>

namespace d3d10 {

// Implements AddRef and Release for one interface; the object deletes itself
// when the last reference goes.
template <class Interface>
class RefCounted : public Interface {
public:
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    RefCounted() = default;
    ~RefCounted() override = default;

    // Answers QueryInterface from a list of (identifier, this-as-interface)
    // pairs; IID_IUnknown always answers with the object itself.
    HRESULT Answer(REFIID riid, void** object, std::initializer_list<std::pair<const IID*, void*>> known) {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (riid == IID_IUnknown) {
            *object = static_cast<IUnknown*>(this);
        } else {
            for (const auto& entry : known)
                if (riid == *entry.first) *object = entry.second;
        }
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

private:
    ULONG references_ = 1;
};

// A reference the layer holds: AddRef on taking, Release on letting go.
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(T* object) : object_(object) {
        if (object_) object_->AddRef();
    }
    Ref(const Ref& other) : Ref(other.object_) {}
    Ref(Ref&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    ~Ref() { Reset(); }
    Ref& operator=(const Ref& other) {
        Ref copy(other);
        std::swap(object_, copy.object_);
        return *this;
    }
    Ref& operator=(Ref&& other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    Ref& operator=(T* object) { return *this = Ref(object); }

    // Takes over a reference the caller already owns.
    static Ref Adopt(T* object) {
        Ref ref;
        ref.object_ = object;
        return ref;
    }
    void Reset() {
        if (object_) {
            T* old = object_;
            object_ = nullptr;
            old->Release();
        }
    }
    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }
    bool operator==(const T* other) const { return object_ == other; }
    bool operator!=(const T* other) const { return object_ != other; }

private:
    T* object_ = nullptr;
};

// Makes an object with T::Create(args..., &object) and hands the new
// reference to `into`, which is left null on failure.
template <class T, class... Args>
HRESULT CreateRef(Ref<T>& into, Args... args) {
    T* object = nullptr;
    HRESULT result = T::Create(args..., &object);
    into = Ref<T>::Adopt(object);
    return result;
}

}  // namespace d3d10
