#pragma once

namespace tav {

// Sets a flag of a window for as long as the guard lives and puts back what it held before,
// also when the block is left early. A window uses it for "I am filling my boxes myself".
class Schalter {
public:
    explicit Schalter(bool& flag) : flag_(flag), vorher_(flag) { flag_ = true; }
    ~Schalter() { flag_ = vorher_; }
    Schalter(const Schalter&) = delete;
    Schalter& operator=(const Schalter&) = delete;

private:
    bool& flag_;
    bool vorher_;
};

}  // namespace tav
