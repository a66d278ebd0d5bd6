// A login survives a restart: two runs of the program, each a new process,
// with the same data folders and the same site.
#include <gio/gio.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "shell_fixture.h"

using namespace e2e;

namespace {
unsigned FreePort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t n = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
    close(fd);
    return ntohs(a.sin_port);
}

bool RunPhase(const std::string& phase, unsigned port, const std::string& home) {
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return false;
    const std::string filter = "--gtest_filter=ShellTest.DISABLED_" + phase;
    gchar* argv[] = {self, const_cast<gchar*>(filter.c_str()),
                     const_cast<gchar*>("--gtest_also_run_disabled_tests"), nullptr};
    gchar** env = g_get_environ();
    env = g_environ_setenv(env, "QHF_E2E_SITE_PORT", std::to_string(port).c_str(), TRUE);
    env = g_environ_setenv(env, "QHF_E2E_SHARED_HOME", home.c_str(), TRUE);
    gint status = -1;
    const gboolean ok = g_spawn_sync(nullptr, argv, env, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr,
                                     nullptr, &status, nullptr);
    g_strfreev(env);
    return ok && g_spawn_check_wait_status(status, nullptr);
}
}  // namespace

// The phases, run only as child processes of the test below.
TEST_F(ShellTest, DISABLED_LoginPhase) {
    frmWebBrowser* p = Active();
    p->WebBrowser1->Navigate(Url("/login"));
    ASSERT_TRUE(WaitTitle(p, "已登录"));
    Pump(1500);  // the cookie store writes in the background
}

TEST_F(ShellTest, DISABLED_WhoAmIPhase) {
    frmWebBrowser* p = Active();
    p->WebBrowser1->Navigate(Url("/whoami"));
    ASSERT_TRUE(WaitTitle(p, "用户-teacher"));
}

TEST_F(ShellTest, ALoginSurvivesARestartOfTheProgram) {
    char tmpl[] = "/tmp/qhf-restart-XXXXXX";
    const std::string shared = mkdtemp(tmpl);
    const unsigned port = FreePort();
    ASSERT_TRUE(RunPhase("LoginPhase", port, shared));
    ASSERT_TRUE(RunPhase("WhoAmIPhase", port, shared));
    std::system(("rm -rf " + shared).c_str());
}
