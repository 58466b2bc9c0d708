#pragma once
// The counted start-up and shut-down of a unit: started from several hosts or packages, a unit
// does its work once, on the first start-up, and undoes it once, on the last shut-down.

namespace lm7 {

class TUnitLifetime {
public:
    // True when this start-up is the first: the caller does the unit's work.
    bool Start() { return m_counter-- == 0; }
    // True when this shut-down is the last: the caller undoes the unit's work. A shut-down
    // without a start-up does nothing.
    bool Stop() {
        if (m_counter == 0)
            return false;
        return ++m_counter == 0;
    }
    bool Started() const { return m_counter != 0; }

private:
    int m_counter = 0;  // 0, then -1 per start-up not yet undone
};

}  // namespace lm7
