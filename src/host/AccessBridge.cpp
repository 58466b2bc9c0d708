#include "host/AccessBridge.h"

#include <atk-bridge.h>
#include <atk/atk.h>
#include <glib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace host {

// Waits on GLib's main context for the host's loop (prepare, query, poll, check, dispatch, as
// GLib's own loop does), the poll on a thread of its own, so that the loop can wait for SDL.
class TContextWake {
public:
    TContextWake() : m_cancel(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), m_event(SDL_RegisterEvents(1)) {
        g_main_context_acquire(m_context);
        m_thread = std::thread([this] { Watch(); });
    }
    ~TContextWake() {
        Disarm();
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_changed.notify_all();
        m_thread.join();
        if (m_cancel >= 0)
            close(m_cancel);
        g_main_context_release(m_context);
    }

    // Runs what is ready now, then sets the watcher on the context's descriptors.
    void Arm() {
        if (m_armed)
            return;
        for (int i = 0; i < 64 && g_main_context_iteration(m_context, FALSE); ++i) {}
        g_main_context_prepare(m_context, &m_priority);
        gint timeout = -1;
        int n = g_main_context_query(m_context, m_priority, &timeout, m_fds.data(),
                                     static_cast<gint>(m_fds.size()));
        if (n > static_cast<int>(m_fds.size())) {
            m_fds.resize(static_cast<std::size_t>(n));
            n = g_main_context_query(m_context, m_priority, &timeout, m_fds.data(), n);
        }
        {
            std::lock_guard lock(m_mutex);
            m_count = n;
            m_timeout = timeout;
            m_polling = true;
        }
        m_armed = true;
        m_changed.notify_all();
    }

    // Takes the watcher off and dispatches what became ready meanwhile.
    void Disarm() {
        if (!m_armed)
            return;
        std::uint64_t one = 1;
        if (write(m_cancel, &one, sizeof one) < 0) {
            // The counter cannot overflow with one write per wait; a failure leaves the poll
            // to end at its timeout.
        }
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_polling; });
        }
        std::uint64_t drained = 0;
        while (read(m_cancel, &drained, sizeof drained) > 0) {}
        m_armed = false;
        if (g_main_context_check(m_context, m_priority, m_fds.data(), m_count))
            g_main_context_dispatch(m_context);
    }

private:
    void Watch() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_quit || m_polling; });
            if (m_quit)
                return;
            std::vector<pollfd> fds;
            for (int i = 0; i < m_count; ++i)
                fds.push_back(pollfd{m_fds[static_cast<std::size_t>(i)].fd,
                                     static_cast<short>(m_fds[static_cast<std::size_t>(i)].events), 0});
            fds.push_back(pollfd{m_cancel, POLLIN, 0});
            const int timeout = m_timeout;
            lock.unlock();
            const int ready = poll(fds.data(), fds.size(), timeout);
            const bool cancelled = ready > 0 && (fds.back().revents & POLLIN);
            lock.lock();
            for (int i = 0; i < m_count; ++i)
                m_fds[static_cast<std::size_t>(i)].revents =
                    static_cast<gushort>(fds[static_cast<std::size_t>(i)].revents);
            if (!cancelled && ready >= 0 && m_event != static_cast<Uint32>(-1)) {
                SDL_Event event{};
                event.type = m_event;
                SDL_PushEvent(&event);
            }
            m_polling = false;
            m_changed.notify_all();
            // Nothing is polled again until the loop has dispatched and armed anew.
        }
    }

    GMainContext* m_context = g_main_context_default();
    int m_cancel;
    Uint32 m_event;
    std::vector<GPollFD> m_fds = std::vector<GPollFD>(16);
    gint m_priority = 0;
    int m_count = 0;
    int m_timeout = -1;
    bool m_armed = false;  // the loop's own view
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_polling = false;
    bool m_quit = false;
    std::thread m_thread;
};

namespace {

TAccessBridge* g_bridge = nullptr;

AtkObject* utilRoot() { return g_bridge ? g_bridge->Tree().Root() : nullptr; }
const gchar* utilToolkitName() { return "lm7"; }
const gchar* utilToolkitVersion() { return "1.0"; }

}  // namespace

// --- TAccessBridge --------------------------------------------------------------------------

TAccessBridge::TAccessBridge() = default;

TAccessBridge::~TAccessBridge() {
    m_wake.reset();
    atk_bridge_adaptor_cleanup();
    g_bridge = nullptr;
}

TAccessBridge* TAccessBridge::Start(std::string* Why) {
    static std::unique_ptr<TAccessBridge> bridge;
    static std::string failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (const char* no = std::getenv("NO_AT_BRIDGE"); no && std::string_view(no) == "1") {
            failure = "NO_AT_BRIDGE is set";
        } else {
            bridge.reset(new TAccessBridge());
            g_bridge = bridge.get();
            if (!g_get_prgname())
                g_set_prgname(program_invocation_short_name);
            // The bridge finds the application's tree, and names its toolkit, through AtkUtil.
            auto* util = static_cast<AtkUtilClass*>(g_type_class_ref(ATK_TYPE_UTIL));
            util->get_root = utilRoot;
            util->get_toolkit_name = utilToolkitName;
            util->get_toolkit_version = utilToolkitVersion;
            if (atk_bridge_adaptor_init(nullptr, nullptr) != 0) {
                failure = "the accessibility bus cannot be reached";
                g_bridge = nullptr;
                bridge.reset();
            } else {
                bridge->m_wake = std::make_unique<TContextWake>();
            }
        }
    }
    if (!bridge && Why)
        *Why = failure;
    return bridge.get();
}

void TAccessBridge::AddWindow(framework::TCustomForm& Form, SDL_Window* Window) {
    m_tree.AddWindow(Form, Window);
}

void TAccessBridge::RemoveWindow(framework::TCustomForm& Form) { m_tree.RemoveWindow(Form); }

void TAccessBridge::Pump() {
    m_wake->Disarm();
    m_tree.NotifyChanges();
    m_wake->Arm();
}

}  // namespace host
