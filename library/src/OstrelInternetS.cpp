// Dial-up links: pppd dials a peer of /etc/ppp/peers and runs one process per link.
#include "OstrelDll.h"
#include "OstrelNarrow.h"
#include "Programs.h"
#include "TextForms.h"

#include <csignal>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr int kPppLinkType = 512;   // the kernel's interface type of a point-to-point protocol link

// The peer last dialled by this process; shared by every object, like the other library state.
std::u16string rememberedPeer;

std::u16string Trimmed(const std::u16string& s)
{
    const size_t b = s.find_first_not_of(u' ');
    if (b == std::u16string::npos) return {};
    return s.substr(b, s.find_last_not_of(u' ') - b + 1);
}

struct Link {
    pid_t pid;
    std::u16string peer;
};

// The running pppd processes and the peer each one was called for ("pppd call NAME").
std::vector<Link> ActiveLinks()
{
    std::vector<Link> links;
    DIR* proc = opendir("/proc");
    if (!proc) return links;
    while (dirent* entry = readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end) continue;
        std::ifstream file(std::string("/proc/") + entry->d_name + "/cmdline", std::ios::binary);
        const std::string cmdline((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::vector<std::string> args;
        for (size_t start = 0; start < cmdline.size();) {
            const size_t nul = cmdline.find('\0', start);
            args.push_back(cmdline.substr(start, nul == std::string::npos ? std::string::npos : nul - start));
            if (nul == std::string::npos) break;
            start = nul + 1;
        }
        if (args.empty()) continue;
        const std::string program = args[0].substr(args[0].rfind('/') + 1);
        if (program != "pppd") continue;
        for (size_t k = 1; k + 1 < args.size(); ++k)
            if (args[k] == "call") links.push_back({pid_t(pid), OstrelNarrow::FromUtf8(args[k + 1])});
    }
    closedir(proc);
    return links;
}

} // namespace

bool OstrelInternetS::IfInternetCon()
{
    DIR* net = opendir("/sys/class/net");
    if (!net) return false;
    bool up = false;
    while (dirent* entry = readdir(net)) {
        if (entry->d_name[0] == '.') continue;
        const std::string base = std::string("/sys/class/net/") + entry->d_name;
        int type = 0;
        std::string state;
        std::ifstream(base + "/type") >> type;
        std::ifstream(base + "/operstate") >> state;
        // A PPP link reports "unknown" while it carries traffic, as it has no carrier of its own.
        if (type == kPppLinkType && state != "down") up = true;
    }
    closedir(net);
    return up;
}

OstrelVariant OstrelInternetS::InternetCon(std::u16string& MyCon)
{
    const std::string pppd = OstrelPrograms::Find("pppd", {"/usr/sbin", "/sbin"});
    if (pppd.empty()) throw OstrelError(OstrelStatus::NotAvailable, "pppd is not installed");
    if (!OstrelPrograms::StartDetached(pppd, {"call", OstrelNarrow::Utf8(MyCon)}))
        throw OstrelError(OstrelStatus::Failed, "pppd could not be started");
    rememberedPeer = MyCon;
    return {};
}

void OstrelInternetS::InternetHangUp()
{
    const std::u16string wanted = Trimmed(rememberedPeer);
    if (wanted.empty()) return;
    // pppd hangs up and ends cleanly on SIGTERM, as the poff script asks it to.
    for (const Link& link : ActiveLinks())
        if (Trimmed(link.peer) == wanted) kill(link.pid, SIGTERM);
}
