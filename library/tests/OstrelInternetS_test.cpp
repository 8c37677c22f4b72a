#include "OstrelDll.h"
#include "OstrelTestEnv.h"
#include "OstrelTestText.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

TEST(InternetCon, CallsThePeerThroughPppdWithoutWaiting)
{
    ScratchFolder bin;
    const std::string log = bin.file("pppd.log");
    // The stand-in writes its arguments to a temporary name and renames it, so a reader never sees half.
    bin.script("pppd", "echo \"$*\" > '" + log + ".part'\nmv '" + log + ".part' '" + log + "'");
    ScopedEnv path("PATH", bin.path() + ":/usr/bin:/bin");
    OstrelInternetS net;
    std::u16string peer = u"provider";
    EXPECT_TRUE(net.InternetCon(peer).IsEmpty());
    EXPECT_EQ(Utf8(peer), "provider");
    // The dialler runs on its own; give it a generous while to leave its trace.
    for (int k = 0; k < 500 && !std::filesystem::exists(log); ++k) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ReadAll(log), "call provider\n");
    net.InternetHangUp();   // the stand-in has ended: there is no link of that peer to hang up
}

TEST(InternetCon, FailsWithNotAvailableWithoutPppd)
{
    if (std::filesystem::exists("/usr/sbin/pppd") || std::filesystem::exists("/sbin/pppd"))
        GTEST_SKIP() << "pppd is installed here";
    ScratchFolder empty;
    ScopedEnv path("PATH", empty.path());
    OstrelInternetS net;
    std::u16string peer = u"provider";
    try {
        net.InternetCon(peer);
        ADD_FAILURE() << "dialled without pppd";
    } catch (const OstrelError& e) {
        EXPECT_EQ(e.Status(), OstrelStatus::NotAvailable);
    }
}

} // namespace
