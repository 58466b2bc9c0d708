#include "framework/platform/Platform.h"

#include <atomic>

namespace framework::platform {

namespace {

// The replacement a test put in force; null means the Linux platform.
std::atomic<IPlatform*> g_current{nullptr};

IPlatform& LinuxInstance() {
    static const std::unique_ptr<IPlatform> instance = MakeLinuxPlatform();
    return *instance;
}

}  // namespace

IPlatform& Platform() {
    IPlatform* current = g_current.load();
    return current ? *current : LinuxInstance();
}

ScopedPlatform::ScopedPlatform(IPlatform& replacement) : m_previous(g_current.exchange(&replacement)) {}

ScopedPlatform::~ScopedPlatform() { g_current.store(m_previous); }

}  // namespace framework::platform
