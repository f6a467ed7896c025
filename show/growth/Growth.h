// Scene placeholder: until the scene is built it fills its window of the
// timeline with one flat colour.
#pragma once

namespace VRK {

class Growth {
public:
    Growth();
    virtual ~Growth();

    Growth(const Growth&) = delete;
    Growth& operator=(const Growth&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

private:
    unsigned startTime_;
};

}  // namespace VRK
