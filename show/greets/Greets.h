// Scene placeholder: until the scene is built it fills its window of the
// timeline with one flat colour.
#pragma once

namespace VRK {

class Greets {
public:
    Greets();
    virtual ~Greets();

    Greets(const Greets&) = delete;
    Greets& operator=(const Greets&) = delete;

    void Start(unsigned time);
    void Update(unsigned time);
    void Render();

private:
    unsigned startTime_;
};

}  // namespace VRK
