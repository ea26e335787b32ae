// Printing through the real CUPS client library: a job on the test scheduler's CUPS-PDF queue
// (scripts/cups-service), read back from the PDF it becomes, and the quick failures when no
// print system answers.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/errors.h"
#include "platform/picture_codec.h"
#include "platform/sdl_platform.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Sets an environment variable (or removes it, for nullopt) until the end of the scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = getenv(name)) old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// A TCP socket on 127.0.0.1 that listens but is never read: connections complete and then
// hear nothing. A full one has its queue of waiting connections filled up by itself, so the
// system drops any further attempt to connect, as a server that is down or behind a firewall
// does.
class SilentServer {
  public:
    explicit SilentServer(bool full = false) {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(fd_, full ? 0 : 8) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        port_ = ntohs(address.sin_port);
        for (int i = 0; full && i < 2; ++i) {
            const int client = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            connect(client, reinterpret_cast<sockaddr*>(&address), length);
            fillers_.push_back(client);
        }
    }
    ~SilentServer() { close(); }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    void close() {
        for (int client : fillers_) ::close(client);
        fillers_.clear();
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    std::string server() const { return "127.0.0.1:" + std::to_string(port_); }

  private:
    int fd_ = -1;
    int port_ = 0;
    std::vector<int> fillers_;
};

bool schedulerAnswers() {
    return std::system("lpstat -r 2>/dev/null | grep -q 'is running'") == 0;
}

// The page as it is held to be looked at: a landscape page comes out of the printer on
// portrait paper with the picture turned a quarter turn anticlockwise, so a portrait page is
// turned a quarter turn clockwise.
cb::Image heldLandscape(const cb::Image& page) {
    if (page.width >= page.height) return page;
    cb::Image turned(page.height, page.width);
    for (int y = 0; y < turned.height; ++y)
        for (int x = 0; x < turned.width; ++x) turned.at(x, y) = page.at(y, page.height - 1 - x);
    return turned;
}

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// Where anything but white paper is.
Box inkedBox(const cb::Image& page) {
    Box box{page.width, page.height, 0, 0};
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            const uint32_t p = page.at(x, y);
            if ((p >> 16 & 0xFF) > 230 && (p >> 8 & 0xFF) > 230 && (p & 0xFF) > 230) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                   std::max(box.bottom, y + 1)};
        }
    return box;
}

bool near(uint32_t pixel, uint32_t want) {
    for (int shift : {16, 8, 0})
        if (std::abs(int(pixel >> shift & 0xFF) - int(want >> shift & 0xFF)) > 64) return false;
    return true;
}

constexpr uint32_t kYellow = 0xFFFFFF00, kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

// The child's canvas: yellow everywhere, so the whole picture shows on white paper, with a
// red block in the top-left corner and a blue one in the bottom-right.
cb::Image canvas() {
    cb::Image picture(750, 600, kYellow);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 150; ++x) {
            picture.at(x, y) = kRed;
            picture.at(749 - x, 599 - y) = kBlue;
        }
    return picture;
}

class PrintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        platform_ = std::make_unique<cb::SdlPlatform>(cb::Image(32, 32, 0xFF3366CC));
    }

    // The test scheduler's output folder, or nothing when there is none to print on. The
    // folder is asked for explicitly so that a developer's own printer is never used.
    std::optional<fs::path> pdfFolder() {
        const char* folder = getenv("CB_CUPS_PDF_DIR");
        if (!folder || !schedulerAnswers()) return std::nullopt;
        return fs::path(folder);
    }

    std::unique_ptr<cb::SdlPlatform> platform_;
};

// Waits for CUPS-PDF to finish the job's PDF and renders its pages at 50 dpi into `pages`.
bool renderWhenWritten(const fs::path& folder, const std::string& title, const fs::path& pages,
                       fs::path& pdf) {
    const auto start = Clock::now();
    while (millisecondsSince(start) < 20000) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            const std::string name = entry.path().filename();
            if (name.find(title) == std::string::npos || entry.path().extension() != ".pdf")
                continue;
            // A PDF still being written has no cross-reference table yet and does not render.
            const std::string command = "pdftoppm -r 50 -png '" + entry.path().string() + "' '" +
                                        (pages / "page").string() + "' 2>/dev/null";
            if (std::system(command.c_str()) == 0) {
                pdf = entry.path();
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

TEST_F(PrintTest, QueuesOneLandscapePageWithThePictureFittedAtTheTopLeft) {
    const auto folder = pdfFolder();
    if (!folder) GTEST_SKIP() << "no test scheduler: scripts/cups-service start";
    const std::string title = "cbprinttest" + std::to_string(getpid()) + "x" +
                              std::to_string(Clock::now().time_since_epoch().count());

    const cb::Image picture = canvas();
    const auto start = Clock::now();
    platform_->printPicture(picture, title);
    const double callMs = millisecondsSince(start);
    std::printf("printPicture returned after %.1f ms\n", callMs);

    char pattern[] = "/tmp/cb-print-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path pages = pattern;
    fs::path pdf;
    const bool written = renderWhenWritten(*folder, title, pages, pdf);
    std::printf("the PDF was there %.0f ms after the call\n", millisecondsSince(start));
    ASSERT_TRUE(written) << "no PDF for " << title << " in " << *folder;

    std::vector<fs::path> rendered;
    for (const auto& entry : fs::directory_iterator(pages)) rendered.push_back(entry.path());
    ASSERT_EQ(rendered.size(), 1u) << "one page";
    const cb::Image page = heldLandscape(cb::decodePictureFile(rendered[0]));
    fs::remove_all(pages);
    fs::remove(pdf);

    EXPECT_GT(page.width, page.height);
    // CUPS-PDF's printable area is the whole sheet.
    const Box box = inkedBox(page);
    const int margin = page.width / 50;
    EXPECT_LE(box.left, margin);
    EXPECT_LE(box.top, margin);
    EXPECT_NEAR(double(box.width()) / box.height(), 1.25, 0.0125);
    EXPECT_TRUE(page.width - box.right <= margin || page.height - box.bottom <= margin)
        << "the picture fills the printable area's width or height";

    const struct {
        double x, y;
        uint32_t colour;
    } samples[] = {{0.1, 0.1, kRed},
                   {0.9, 0.9, kBlue},
                   {0.5, 0.5, kYellow},
                   {0.9, 0.1, kYellow},
                   {0.1, 0.9, kYellow}};
    for (const auto& s : samples) {
        const uint32_t pixel =
            page.at(box.left + int(s.x * box.width()), box.top + int(s.y * box.height()));
        EXPECT_TRUE(near(pixel, s.colour))
            << "at " << s.x << ", " << s.y << " of the picture: " << std::hex << pixel;
    }
}

TEST_F(PrintTest, ThrowsWhenTheDefaultPrinterDoesNotExist) {
    if (!pdfFolder()) GTEST_SKIP() << "no test scheduler: scripts/cups-service start";
    const ScopedEnv lpdest("LPDEST", std::nullopt);
    const ScopedEnv printer("PRINTER", "NoSuchPrinter");
    EXPECT_THROW(platform_->printPicture(canvas(), "nowhere"), cb::PlatformError);
}

TEST_F(PrintTest, ThrowsSoonWhenNoPrintSystemAnswers) {
    SilentServer closed;
    const std::string closedPort = closed.server();
    closed.close();
    const SilentServer silent;
    const SilentServer full(true);
    const struct {
        const char* what;
        std::string server;
    } cases[] = {
        {"a closed port", closedPort},
        {"a server that never answers", silent.server()},
        {"a server that takes no more connections", full.server()},
        {"a socket path with no scheduler", "/nonexistent/cups.sock"},
    };
    const cb::Image picture = canvas();
    for (const auto& c : cases) {
        const ScopedEnv server("CUPS_SERVER", c.server);
        const auto start = Clock::now();
        EXPECT_THROW(platform_->printPicture(picture, "nobody"), cb::PlatformError) << c.what;
        const double ms = millisecondsSince(start);
        std::printf("%s: threw after %.1f ms\n", c.what, ms);
        EXPECT_LT(ms, 5000) << c.what << " held the call";
    }
}

}  // namespace
