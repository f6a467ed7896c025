// Scene placeholder: until the scene is built it fills its window of the
// timeline with one flat colour.
#pragma once

namespace VRK {

class End {
public:
    End();
    virtual ~End();

    End(const End&) = delete;
    End& operator=(const End&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

private:
    unsigned startTime_;
};

}  // namespace VRK
