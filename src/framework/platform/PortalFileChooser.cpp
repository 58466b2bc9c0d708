// The XDG desktop portal's FileChooser over D-Bus (sd-bus). The call returns a request object
// at once; the user's answer arrives later as that object's Response signal, so the signal is
// subscribed to before the call, at the path the portal will use.

#include "framework/platform/LinuxFileChoosers.h"

#include "framework/platform/Platform.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <systemd/sd-bus.h>

namespace framework::platform {

namespace {

constexpr const char* kPortalName = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kChooserInterface = "org.freedesktop.portal.FileChooser";
constexpr const char* kRequestInterface = "org.freedesktop.portal.Request";
// Every call before the dialog shows is answered at once by a working portal; a bus that
// starts a portal on demand gets this long for it.
constexpr std::uint64_t kCallTimeoutUsec = 5'000'000;

struct BusCloser {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
using BusPtr = std::unique_ptr<sd_bus, BusCloser>;
struct MessageUnref {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
using MessagePtr = std::unique_ptr<sd_bus_message, MessageUnref>;
struct SlotUnref {
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using SlotPtr = std::unique_ptr<sd_bus_slot, SlotUnref>;

class BusError {
public:
    ~BusError() { sd_bus_error_free(&m_error); }
    sd_bus_error* Get() { return &m_error; }

private:
    sd_bus_error m_error{nullptr, nullptr, 0};  // SD_BUS_ERROR_NULL, which is C only
};

BusPtr openBus(const std::string& address) {
    sd_bus* raw = nullptr;
    if (address.empty()) {
        if (sd_bus_open_user(&raw) < 0)
            return nullptr;
        BusPtr bus(raw);
        return sd_bus_set_method_call_timeout(raw, kCallTimeoutUsec) < 0 ? nullptr : std::move(bus);
    }
    if (sd_bus_new(&raw) < 0)
        return nullptr;
    BusPtr bus(raw);
    if (sd_bus_set_address(raw, address.c_str()) < 0 || sd_bus_set_bus_client(raw, 1) < 0 ||
        sd_bus_set_method_call_timeout(raw, kCallTimeoutUsec) < 0 || sd_bus_start(raw) < 0)
        return nullptr;
    return bus;
}

// The path the portal gives the request object of a call with this token.
std::string requestPath(sd_bus* bus, const std::string& token) {
    const char* unique = nullptr;
    if (sd_bus_get_unique_name(bus, &unique) < 0 || !unique || unique[0] != ':')
        return std::string();
    std::string sender(unique + 1);
    for (char& c : sender)
        if (c == '.')
            c = '_';
    return std::string(kPortalPath) + "/request/" + sender + "/" + token;
}

void check(int r) {
    if (r < 0)
        throw EFileChooserError("Cannot ask the desktop portal for a file: " +
                                std::string(std::strerror(-r)));
}

void appendFolder(sd_bus_message* m, const char* key, const std::string& folder) {
    // Paths travel as bytes with a closing zero.
    check(sd_bus_message_open_container(m, 'e', "sv"));
    check(sd_bus_message_append_basic(m, 's', key));
    check(sd_bus_message_open_container(m, 'v', "ay"));
    check(sd_bus_message_append_array(m, 'y', folder.c_str(), folder.size() + 1));
    check(sd_bus_message_close_container(m));
    check(sd_bus_message_close_container(m));
}

void appendFilterBody(sd_bus_message* m, const FileFilter& filter) {
    check(sd_bus_message_open_container(m, 'r', "sa(us)"));
    check(sd_bus_message_append_basic(m, 's', filter.Name.c_str()));
    check(sd_bus_message_open_container(m, 'a', "(us)"));
    for (const std::string& mask : filter.Masks)
        check(sd_bus_message_append(m, "(us)", 0u, mask.c_str()));  // 0: a glob pattern
    check(sd_bus_message_close_container(m));
    check(sd_bus_message_close_container(m));
}

FileFilter caseInsensitive(const FileFilter& filter) {
    FileFilter out{filter.Name, {}};
    for (const std::string& mask : filter.Masks)
        out.Masks.push_back(CaseInsensitiveMask(mask));
    return out;
}

void appendOptions(sd_bus_message* m, const FileChooserRequest& request, const std::string& token) {
    check(sd_bus_message_open_container(m, 'a', "{sv}"));
    check(sd_bus_message_append(m, "{sv}", "handle_token", "s", token.c_str()));
    check(sd_bus_message_append(m, "{sv}", "modal", "b", 1));
    if (!request.OkLabel.empty())
        check(sd_bus_message_append(m, "{sv}", "accept_label", "s", request.OkLabel.c_str()));
    if (!request.Save) {
        check(sd_bus_message_append(m, "{sv}", "multiple", "b", request.MultiSelect ? 1 : 0));
        check(sd_bus_message_append(m, "{sv}", "directory", "b", request.PickFolders ? 1 : 0));
    }
    if (!request.PickFolders && !request.Filters.empty()) {
        std::vector<FileFilter> filters;
        for (const FileFilter& filter : request.Filters)
            filters.push_back(caseInsensitive(filter));
        check(sd_bus_message_open_container(m, 'e', "sv"));
        check(sd_bus_message_append_basic(m, 's', "filters"));
        check(sd_bus_message_open_container(m, 'v', "a(sa(us))"));
        check(sd_bus_message_open_container(m, 'a', "(sa(us))"));
        for (const FileFilter& filter : filters)
            appendFilterBody(m, filter);
        check(sd_bus_message_close_container(m));
        check(sd_bus_message_close_container(m));
        check(sd_bus_message_close_container(m));
        const int count = static_cast<int>(filters.size());
        const int current =
            request.CurrentFilter >= 0 && request.CurrentFilter < count ? request.CurrentFilter : 0;
        check(sd_bus_message_open_container(m, 'e', "sv"));
        check(sd_bus_message_append_basic(m, 's', "current_filter"));
        check(sd_bus_message_open_container(m, 'v', "(sa(us))"));
        appendFilterBody(m, filters[static_cast<std::size_t>(current)]);
        check(sd_bus_message_close_container(m));
        check(sd_bus_message_close_container(m));
    }
    // The start: a folder to open, and for saving the suggested name (or the file itself).
    const std::string start = ChooserStartPath(request);
    const std::size_t slash = start.rfind('/');
    if (slash != std::string::npos) {
        const std::string folder = slash == 0 ? std::string("/") : start.substr(0, slash);
        appendFolder(m, "current_folder", folder);
    }
    const std::string name = slash == std::string::npos ? start : start.substr(slash + 1);
    if (request.Save && !name.empty()) {
        check(sd_bus_message_append(m, "{sv}", "current_name", "s", name.c_str()));
        if (Platform().Stat(start).IsRegular)
            appendFolder(m, "current_file", start);
    }
    check(sd_bus_message_close_container(m));
}

struct PendingAnswer {
    bool Done = false;
    FileChoice Choice;
};

// Response(u response, a{sv} results): 0 is a choice, 1 a cancel, 2 any other end.
int onResponse(sd_bus_message* m, void* userdata, sd_bus_error* /*error*/) {
    auto& pending = *static_cast<PendingAnswer*>(userdata);
    pending.Done = true;
    std::uint32_t response = 2;
    if (sd_bus_message_read(m, "u", &response) < 0 || response != 0)
        return 0;
    if (sd_bus_message_enter_container(m, 'a', "{sv}") <= 0)
        return 0;
    while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
        const char* key = nullptr;
        if (sd_bus_message_read(m, "s", &key) < 0)
            return 0;
        if (std::string_view(key) == "uris" && sd_bus_message_enter_container(m, 'v', "as") > 0) {
            char** uris = nullptr;
            if (sd_bus_message_read_strv(m, &uris) >= 0 && uris) {
                for (char** uri = uris; *uri; ++uri) {
                    if (std::optional<std::string> path = FileUriToPath(*uri))
                        pending.Choice.Paths.push_back(std::move(*path));
                    std::free(*uri);
                }
                std::free(uris);
            }
            sd_bus_message_exit_container(m);
        } else if (sd_bus_message_skip(m, "v") < 0) {
            return 0;
        }
        sd_bus_message_exit_container(m);
    }
    pending.Choice.Accepted = !pending.Choice.Paths.empty();
    return 0;
}

}  // namespace

std::optional<FileChoice> ChooseThroughPortal(const FileChooserRequest& Request,
                                              const std::string& BusAddress) {
    BusPtr bus = openBus(BusAddress);
    if (!bus)
        return std::nullopt;
    // A portal without a file chooser, or no portal at all, fails here.
    std::uint32_t version = 0;
    BusError probeError;
    if (sd_bus_get_property_trivial(bus.get(), kPortalName, kPortalPath, kChooserInterface, "version",
                                    probeError.Get(), 'u', &version) < 0)
        return std::nullopt;

    static int requests = 0;
    const std::string token = "lm7_" + std::to_string(++requests);
    std::string handle = requestPath(bus.get(), token);
    PendingAnswer pending;
    sd_bus_slot* rawSlot = nullptr;
    check(sd_bus_match_signal(bus.get(), &rawSlot, nullptr, handle.c_str(), kRequestInterface, "Response",
                              onResponse, &pending));
    SlotPtr slot(rawSlot);

    sd_bus_message* rawCall = nullptr;
    check(sd_bus_message_new_method_call(bus.get(), &rawCall, kPortalName, kPortalPath, kChooserInterface,
                                         Request.Save ? "SaveFile" : "OpenFile"));
    MessagePtr call(rawCall);
    check(sd_bus_message_append(call.get(), "ss", "", Request.Title.c_str()));
    appendOptions(call.get(), Request, token);

    BusError callError;
    sd_bus_message* rawReply = nullptr;
    if (sd_bus_call(bus.get(), call.get(), 0, callError.Get(), &rawReply) < 0)
        throw EFileChooserError(std::string("The desktop portal refused to show a file chooser: ") +
                                (callError.Get()->message ? callError.Get()->message : "no reason given"));
    MessagePtr reply(rawReply);
    const char* returned = nullptr;
    check(sd_bus_message_read(reply.get(), "o", &returned));
    if (returned && handle != returned && !pending.Done) {
        // An old portal chose its own path; listen there instead.
        handle = returned;
        sd_bus_slot* other = nullptr;
        check(sd_bus_match_signal(bus.get(), &other, nullptr, handle.c_str(), kRequestInterface, "Response",
                                  onResponse, &pending));
        slot.reset(other);
    }

    // The user may take as long as they like; the program lives on meanwhile.
    ChooserWait wait;
    const int pollMs = ChooserWait::PollTimeout();
    const std::uint64_t timeout = pollMs < 0 ? UINT64_MAX : static_cast<std::uint64_t>(pollMs) * 1000;
    while (!pending.Done) {
        const int r = sd_bus_process(bus.get(), nullptr);
        if (r < 0)
            throw EFileChooserError("The desktop portal stopped answering while its file chooser was open");
        if (r > 0)
            continue;
        const int waited = sd_bus_wait(bus.get(), timeout);
        if (waited < 0)
            throw EFileChooserError("The desktop portal stopped answering while its file chooser was open");
        if (waited == 0)
            wait.Poll();
    }
    return pending.Choice;
}

}  // namespace framework::platform
