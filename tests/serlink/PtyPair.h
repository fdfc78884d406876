#pragma once

#include <string>

// A pseudo-terminal pair for tests of the real port; Ok() is false where the
// system has none.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return m_master >= 0; }
    int Master() const { return m_master; }
    const std::string& SlaveName() const { return m_slave; }
    // The far end goes away, as an unplugged adapter does.
    void CloseMaster();

private:
    int m_master = -1;
    std::string m_slave;
};
