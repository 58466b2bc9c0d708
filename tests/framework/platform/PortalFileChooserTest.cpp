// The portal chooser against a private message bus with a portal of the test's own, which
// records what it was asked and answers through the request object as a real one does.

#include "framework/platform/LinuxFileChoosers.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

extern char** environ;

using namespace framework::platform;

namespace {

struct Recorded {
    std::string Method;
    std::string Title;
    std::map<std::string, std::string> Options;  // each value as text
};

std::string readFilter(sd_bus_message* m) {
    const char* name = nullptr;
    std::string text;
    if (sd_bus_message_enter_container(m, 'r', "sa(us)") <= 0 || sd_bus_message_read(m, "s", &name) < 0 ||
        sd_bus_message_enter_container(m, 'a', "(us)") <= 0)
        return "?";
    text = std::string(name) + ":";
    std::uint32_t kind = 0;
    const char* mask = nullptr;
    while (sd_bus_message_read(m, "(us)", &kind, &mask) > 0)
        text += std::to_string(kind) + mask + ",";
    sd_bus_message_exit_container(m);
    sd_bus_message_exit_container(m);
    return text;
}

// The value of one option, entered as a variant of the given signature.
std::string readValue(sd_bus_message* m, const std::string& key) {
    if (key == "modal" || key == "multiple" || key == "directory") {
        int value = 0;
        sd_bus_message_read(m, "v", "b", &value);
        return value ? "true" : "false";
    }
    if (key == "current_folder" || key == "current_file") {
        const void* bytes = nullptr;
        std::size_t size = 0;
        sd_bus_message_enter_container(m, 'v', "ay");
        sd_bus_message_read_array(m, 'y', &bytes, &size);
        sd_bus_message_exit_container(m);
        return std::string(static_cast<const char*>(bytes), size);  // with its closing zero
    }
    if (key == "filters") {
        std::string text;
        sd_bus_message_enter_container(m, 'v', "a(sa(us))");
        sd_bus_message_enter_container(m, 'a', "(sa(us))");
        while (sd_bus_message_at_end(m, false) == 0)
            text += readFilter(m) + "|";
        sd_bus_message_exit_container(m);
        sd_bus_message_exit_container(m);
        return text;
    }
    if (key == "current_filter") {
        sd_bus_message_enter_container(m, 'v', "(sa(us))");
        std::string text = readFilter(m);
        sd_bus_message_exit_container(m);
        return text;
    }
    const char* value = nullptr;
    sd_bus_message_read(m, "v", "s", &value);
    return value ? value : "";
}

class FakePortal {
public:
    std::uint32_t Response = 0;
    std::vector<std::string> Uris;

    explicit FakePortal(const std::string& address) : m_address(address) {}
    ~FakePortal() { Stop(); }

    void Start() {
        m_thread = std::thread([this] { Serve(); });
        std::unique_lock<std::mutex> lock(m_mutex);
        m_ready.wait_for(lock, std::chrono::seconds(10), [this] { return m_started; });
        ASSERT_TRUE(m_started) << "the fake portal could not join the private bus";
    }
    void Stop() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        if (m_thread.joinable())
            m_thread.join();
    }
    std::vector<Recorded> Calls() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }

private:
    static int OnCall(sd_bus_message* m, void* userdata, sd_bus_error*) {
        auto& self = *static_cast<FakePortal*>(userdata);
        Recorded call;
        call.Method = sd_bus_message_get_member(m);
        const char* parent = nullptr;
        const char* title = nullptr;
        sd_bus_message_read(m, "ss", &parent, &title);
        call.Title = title;
        sd_bus_message_enter_container(m, 'a', "{sv}");
        while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
            const char* key = nullptr;
            sd_bus_message_read(m, "s", &key);
            call.Options[key] = readValue(m, key);
            sd_bus_message_exit_container(m);
        }
        std::string sender = sd_bus_message_get_sender(m) + 1;
        for (char& c : sender)
            if (c == '.')
                c = '_';
        const std::string handle =
            "/org/freedesktop/portal/desktop/request/" + sender + "/" + call.Options["handle_token"];
        {
            std::lock_guard<std::mutex> lock(self.m_mutex);
            self.m_calls.push_back(call);
        }
        sd_bus_reply_method_return(m, "o", handle.c_str());
        sd_bus_message* signal = nullptr;
        sd_bus_message_new_signal(sd_bus_message_get_bus(m), &signal, handle.c_str(),
                                  "org.freedesktop.portal.Request", "Response");
        sd_bus_message_append(signal, "u", self.Response);
        sd_bus_message_open_container(signal, 'a', "{sv}");
        sd_bus_message_open_container(signal, 'e', "sv");
        sd_bus_message_append(signal, "s", "uris");
        sd_bus_message_open_container(signal, 'v', "as");
        sd_bus_message_open_container(signal, 'a', "s");
        for (const std::string& uri : self.Uris)
            sd_bus_message_append(signal, "s", uri.c_str());
        sd_bus_message_close_container(signal);
        sd_bus_message_close_container(signal);
        sd_bus_message_close_container(signal);
        sd_bus_message_append(signal, "{sv}", "choices", "s", "ignored");
        sd_bus_message_close_container(signal);
        sd_bus_send(nullptr, signal, nullptr);
        sd_bus_message_unref(signal);
        return 1;
    }

    static int OnVersion(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                         sd_bus_error*) {
        return sd_bus_message_append(reply, "u", 4u);
    }

    void Serve() {
        static const sd_bus_vtable vtable[] = {
            SD_BUS_VTABLE_START(0),
            SD_BUS_PROPERTY("version", "u", OnVersion, 0, SD_BUS_VTABLE_PROPERTY_CONST),
            SD_BUS_METHOD("OpenFile", "ssa{sv}", "o", OnCall, 0),
            SD_BUS_METHOD("SaveFile", "ssa{sv}", "o", OnCall, 0), SD_BUS_VTABLE_END};
        // The daemon's socket may exist a moment before it takes connections: the portal
        // counts as started only once it holds its name.
        sd_bus* bus = nullptr;
        for (int attempt = 0; attempt < 200; ++attempt) {
            sd_bus_new(&bus);
            sd_bus_set_address(bus, m_address.c_str());
            sd_bus_set_bus_client(bus, 1);
            if (sd_bus_start(bus) >= 0 &&
                sd_bus_add_object_vtable(bus, nullptr, "/org/freedesktop/portal/desktop",
                                         "org.freedesktop.portal.FileChooser", vtable, this) >= 0 &&
                sd_bus_request_name(bus, "org.freedesktop.portal.Desktop", 0) >= 0)
                break;
            bus = sd_bus_flush_close_unref(bus);
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        if (!bus)
            return;  // Start() finds the portal never started
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_started = true;
        }
        m_ready.notify_all();
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_stop)
                    break;
            }
            if (sd_bus_process(bus, nullptr) > 0)
                continue;
            sd_bus_wait(bus, 50'000);
        }
        sd_bus_flush_close_unref(bus);
    }

    std::string m_address;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    bool m_started = false;
    bool m_stop = false;
    std::vector<Recorded> m_calls;
};

// A private session bus in a temporary folder, for the life of the fixture.
class PrivateBus : public ::testing::Test {
protected:
    testsupport::TempFolder temp;
    std::string address;
    pid_t daemon = 0;

    void SetUp() override {
        const auto program = FindProgram("dbus-daemon", "/usr/bin:/bin:/usr/local/bin");
        if (!program)
            GTEST_SKIP() << "dbus-daemon is not installed";
        const std::string socket = temp.Path("bus");
        address = "unix:path=" + socket;
        const std::string config = temp.Write(
            "bus.conf", "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                        " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                        "<busconfig><type>session</type><listen>" +
                            address +
                            "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                            "<allow send_destination=\"*\"/><allow own=\"*\"/><allow receive_sender=\"*\"/>"
                            "</policy></busconfig>\n");
        std::vector<std::string> args{*program, "--nofork", "--nopidfile", "--config-file=" + config};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ASSERT_EQ(::posix_spawn(&daemon, argv[0], nullptr, nullptr, argv.data(), environ), 0);
        for (int i = 0; i < 200 && !temp.Exists("bus"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        ASSERT_TRUE(temp.Exists("bus"));
    }
    void TearDown() override {
        if (daemon > 0) {
            ::kill(daemon, SIGTERM);
            ::waitpid(daemon, nullptr, 0);
        }
    }
};

FileChooserRequest FolderRequest() {
    FileChooserRequest r;
    r.Title = "Select a folder";
    r.OkLabel = "Select";
    r.PickFolders = true;
    r.StartFolder = "/data/my texts";
    return r;
}

}  // namespace

TEST(PortalChooser, NoBusIsNoPortalAndIsFoundOutAtOnce) {
    testsupport::TempFolder temp;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ChooseThroughPortal(FolderRequest(), "unix:path=" + temp.Path("none")), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(PortalChooser, NoSessionBusInTheEnvironmentIsFoundOutAtOnce) {
    // As on a build machine running as root: no bus address, no runtime folder with a bus.
    testsupport::TempFolder runtime;
    const char* oldAddress = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const char* oldRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedAddress = oldAddress ? oldAddress : "",
                      savedRuntime = oldRuntime ? oldRuntime : "";
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    ::setenv("XDG_RUNTIME_DIR", runtime.Root().c_str(), 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ChooseThroughPortal(FolderRequest(), ""), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    if (oldAddress)
        ::setenv("DBUS_SESSION_BUS_ADDRESS", savedAddress.c_str(), 1);
    if (oldRuntime)
        ::setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
}

TEST_F(PrivateBus, ABusWithoutAPortalIsFoundOutAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ChooseThroughPortal(FolderRequest(), address), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(PrivateBus, FolderRequestCarriesTitleLabelFolderModeAndStart) {
    FakePortal portal(address);
    portal.Uris = {"file:///home/ana/Meus%20textos/a%C3%A7%C3%A3o%0Anova"};
    portal.Start();
    const auto choice = ChooseThroughPortal(FolderRequest(), address);
    ASSERT_TRUE(choice.has_value());
    EXPECT_TRUE(choice->Accepted);
    EXPECT_EQ(choice->Paths, (std::vector<std::string>{"/home/ana/Meus textos/ação\nnova"}));
    const auto calls = portal.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Method, "OpenFile");
    EXPECT_EQ(calls[0].Title, "Select a folder");
    EXPECT_EQ(calls[0].Options.at("accept_label"), "Select");
    EXPECT_EQ(calls[0].Options.at("directory"), "true");
    EXPECT_EQ(calls[0].Options.at("multiple"), "false");
    EXPECT_EQ(calls[0].Options.at("modal"), "true");
    EXPECT_EQ(calls[0].Options.at("current_folder"), std::string("/data/my texts\0", 15));
    EXPECT_EQ(calls[0].Options.count("filters"), 0u);
}

TEST_F(PrivateBus, FileRequestCarriesCaseInsensitiveFiltersInOrderAndTheCurrentOne) {
    FakePortal portal(address);
    portal.Uris = {"file:///a/x.TXT", "file:///b/y.txt", "https://elsewhere/z"};
    portal.Start();
    FileChooserRequest r;
    r.Title = "Open";
    r.MultiSelect = true;
    r.Filters = {{"Text files (*.txt)", {"*.txt"}}, {"Web (*.htm)", {"*.htm", "*.html"}}, {"All", {"*.*"}}};
    r.CurrentFilter = 1;
    const auto choice = ChooseThroughPortal(r, address);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->Paths, (std::vector<std::string>{"/a/x.TXT", "/b/y.txt"}));  // only files
    const auto calls = portal.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Options.at("multiple"), "true");
    EXPECT_EQ(calls[0].Options.at("directory"), "false");
    EXPECT_EQ(
        calls[0].Options.at("filters"),
        "Text files (*.txt):0*.[tT][xX][tT],|Web (*.htm):0*.[hH][tT][mM],0*.[hH][tT][mM][lL],|All:0*,|");
    EXPECT_EQ(calls[0].Options.at("current_filter"), "Web (*.htm):0*.[hH][tT][mM],0*.[hH][tT][mM][lL],");
    EXPECT_EQ(calls[0].Options.count("accept_label"), 0u);
}

TEST_F(PrivateBus, SavingSuggestsTheNameAndACancelIsNoChoice) {
    FakePortal portal(address);
    portal.Response = 1;
    portal.Uris = {"file:///ignored"};
    portal.Start();
    FileChooserRequest r;
    r.Save = true;
    r.StartFolder = "/out";
    r.FileName = "report é.txt";
    const auto choice = ChooseThroughPortal(r, address);
    ASSERT_TRUE(choice.has_value());
    EXPECT_FALSE(choice->Accepted);
    EXPECT_TRUE(choice->Paths.empty());
    const auto calls = portal.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Method, "SaveFile");
    EXPECT_EQ(calls[0].Options.at("current_name"), "report é.txt");
    EXPECT_EQ(calls[0].Options.at("current_folder"), std::string("/out\0", 5));
    EXPECT_EQ(calls[0].Options.count("multiple"), 0u);
}

TEST_F(PrivateBus, TheDesktopChooserTakesThePortalBeforeAnyProgram) {
    FakePortal portal(address);
    portal.Uris = {"file:///from/portal"};
    portal.Start();
    DesktopFileChooser chooser({address, "/usr/bin:/bin"});
    EXPECT_EQ(chooser.Choose(FolderRequest()).Paths, (std::vector<std::string>{"/from/portal"}));
}
