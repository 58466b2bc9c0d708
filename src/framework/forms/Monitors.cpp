#include "framework/forms/Monitors.h"

#include <algorithm>

namespace framework {

const TMonitor* FindMonitor(const std::vector<TMonitor>& Monitors, std::string_view Name) {
    const auto found =
        std::find_if(Monitors.begin(), Monitors.end(), [Name](const TMonitor& M) { return M.Name == Name; });
    return found == Monitors.end() ? nullptr : &*found;
}

const TMonitor* PrimaryMonitor(const std::vector<TMonitor>& Monitors) {
    const auto found =
        std::find_if(Monitors.begin(), Monitors.end(), [](const TMonitor& M) { return M.Primary; });
    if (found != Monitors.end())
        return &*found;
    return Monitors.empty() ? nullptr : &Monitors.front();
}

}  // namespace framework
