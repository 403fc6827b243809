#pragma once

namespace platform {

// A desktop service that tests can stand in for. Each service interface defines its desktop
// implementation as Seam<Interface>::desktop() in its own source file; code asks get() and
// never knows which one it talks to.
template <class Interface> class Seam {
public:
    static Interface& get()
    {
        Interface* replacement = slot();
        return replacement ? *replacement : desktop();
    }

    // Puts a stand-in in place of the desktop service; nullptr puts the desktop back.
    static void replace(Interface* standIn) { slot() = standIn; }

private:
    static Interface& desktop();
    static Interface*& slot()
    {
        static Interface* standIn = nullptr;
        return standIn;
    }
};

// Holds a stand-in in place for the lifetime of a test.
template <class Interface> class ScopedStandIn {
public:
    explicit ScopedStandIn(Interface& standIn) { Seam<Interface>::replace(&standIn); }
    ~ScopedStandIn() { Seam<Interface>::replace(nullptr); }
    ScopedStandIn(const ScopedStandIn&) = delete;
    ScopedStandIn& operator=(const ScopedStandIn&) = delete;
};

} // namespace platform
