#pragma once

// A counter for test fakes that must fail at one chosen operation (the Nth
// write, the Nth send), so a test can walk a failure through every step of a
// path and prove that each step cleans up.
namespace testing_support {

class FailAtNth {
public:
    // n: the 1-based operation that fails; 0 never fails.
    explicit FailAtNth(int n = 0) : m_failAt(n) {}
    // Chooses the failing operation anew and restarts the count.
    void FailAt(int n) {
        m_failAt = n;
        m_count = 0;
    }
    // Counts one operation; true when it is the one that must fail.
    bool Fails() { return ++m_count == m_failAt; }
    // Operations counted so far.
    int Count() const { return m_count; }

private:
    int m_failAt;
    int m_count = 0;
};

}  // namespace testing_support
