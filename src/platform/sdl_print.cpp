// Printing on the family's printer through CUPS. The picture goes to the default destination
// as one image job; CUPS's image filter turns it landscape, fits it to the printable area with
// its proportions kept and puts it at that area's top-left corner. Every wait on the print
// system is bounded, because the call runs on the UI thread.
#include <cups/cups.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

#include "platform/errors.h"
#include "platform/picture_codec.h"
#include "platform/sdl_platform.h"

namespace cb {
namespace {

using Clock = std::chrono::steady_clock;

// How long the print system has to answer at all: a server that is down or silent must not
// hold the child's screen for longer than a blink.
constexpr int kConnectMilliseconds = 250;
constexpr auto kFirstAnswer = std::chrono::milliseconds(250);
// How long the whole job may take once the server has shown that it answers.
constexpr auto kWholeJob = std::chrono::seconds(2);
// How often libcups comes back to ask whether to go on waiting.
constexpr double kWaitSlice = 0.05;

// The moment after which a wait on the connection gives up. libcups calls keepWaiting each
// time a slice of waiting has passed with nothing read.
struct Deadline {
    Clock::time_point at;
};

int keepWaiting(http_t*, void* deadline) {
    return Clock::now() < static_cast<Deadline*>(deadline)->at ? 1 : 0;
}

// The program has no one to ask for a password; without this libcups would prompt on the
// terminal and wait for an answer that never comes.
const char* noPassword(const char*, http_t*, const char*, const char*, void*) {
    return nullptr;
}

class Connection {
  public:
    explicit Connection(http_t* http) : http_(http) {}
    ~Connection() {
        if (http_) httpClose(http_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    http_t* get() const { return http_; }

  private:
    http_t* http_;
};

class Destination {
  public:
    explicit Destination(cups_dest_t* dest) : dest_(dest) {}
    ~Destination() {
        if (dest_) cupsFreeDests(1, dest_);
    }
    Destination(const Destination&) = delete;
    Destination& operator=(const Destination&) = delete;
    cups_dest_t* get() const { return dest_; }

  private:
    cups_dest_t* dest_;
};

// The picture as a private temporary file, removed when this goes away; the job's data is
// read from its descriptor.
class PictureFile {
  public:
    explicit PictureFile(const Image& picture) {
        const char* tmp = getenv("TMPDIR");
        path_ = std::string(tmp && *tmp ? tmp : "/tmp") + "/colouring-book-print-XXXXXX";
        fd_ = mkstemp(path_.data());
        if (fd_ < 0) throw PlatformError("cannot make a file to print from");
        writeLosslessPicture(picture, path_);
    }
    ~PictureFile() {
        close(fd_);
        unlink(path_.c_str());
    }
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;
    int fd() const { return fd_; }

    // writeLosslessPicture chooses GIF, or a bitmap for a picture of too many colours.
    const char* mimeType() const {
        char magic[4] = {};
        if (pread(fd_, magic, sizeof magic, 0) != sizeof magic)
            throw PlatformError("cannot read the file to print");
        return std::memcmp(magic, "GIF8", 4) == 0 ? "image/gif" : "image/x-bitmap";
    }

  private:
    std::string path_;
    int fd_ = -1;
};

// A server that takes the connection but never answers would otherwise cost libcups' own
// fixed waits on the first request; one bare HEAD request finds it out within the budget.
// Any HTTP status at all shows that someone is there.
void checkServerAnswers(http_t* http) {
    httpClearFields(http);
    if (httpHead(http, "/") != 0) throw PlatformError("the print system does not answer");
    http_status_t status;
    do status = httpUpdate(http);
    while (status == HTTP_STATUS_CONTINUE);
    if (status == HTTP_STATUS_ERROR) throw PlatformError("the print system does not answer");
}

std::string lastError(const char* what) {
    return std::string(what) + ": " + cupsLastErrorString();
}

}  // namespace

void SdlPlatform::printPicture(const Image& picture, const std::string& title) {
    const auto start = Clock::now();
    // Read the server setting anew, so a printer set up while the program runs is found.
    cupsSetServer(nullptr);
    cupsSetPasswordCB2(noPassword, nullptr);

    // An encrypted connection would shake hands inside the connect, before any timeout of ours
    // is in force; connect plainly and ask for encryption once the waits are bounded.
    const http_encryption_t encryption = cupsEncryption();
    const bool encryptLater =
        encryption == HTTP_ENCRYPTION_REQUIRED || encryption == HTTP_ENCRYPTION_ALWAYS;
    const Connection connection(
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC,
                     encryptLater ? HTTP_ENCRYPTION_IF_REQUESTED : encryption, 1,
                     kConnectMilliseconds, nullptr));
    http_t* http = connection.get();
    if (!http) throw PlatformError("no print system");
    Deadline deadline{start + kFirstAnswer};
    httpSetTimeout(http, kWaitSlice, keepWaiting, &deadline);
    checkServerAnswers(http);
    deadline.at = start + kWholeJob;
    if (encryptLater && httpEncryption(http, encryption) != 0)
        throw PlatformError("no encrypted connection to the print system");

    const Destination dest(cupsGetNamedDest(http, nullptr, nullptr));
    if (!dest.get()) throw PlatformError(lastError("no printer"));
    const std::string name = dest.get()->name;

    const PictureFile file(picture);
    const char* format = file.mimeType();
    ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", name.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    if (!title.empty())
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, format);
    // The image filter's own options lay the page out: landscape, the whole picture fitted to
    // the printable area, anchored at its top-left corner rather than centred.
    cups_option_t* options = nullptr;
    int count = cupsAddOption("orientation-requested", "4", 0, &options);
    count = cupsAddOption("fit-to-page", "true", count, &options);
    count = cupsAddOption("position", "top-left", count, &options);
    cupsEncodeOptions2(request, count, options, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, count, options, IPP_TAG_JOB);
    cupsFreeOptions(count, options);

    // One Print-Job request carries the picture, so the job is either queued whole or not at
    // all. cupsDoIORequest frees the request.
    const std::string resource = "/printers/" + name;
    ipp_t* response = cupsDoIORequest(http, request, resource.c_str(), file.fd(), -1);
    const bool queued = response && ippGetStatusCode(response) <= IPP_STATUS_OK_EVENTS_COMPLETE &&
                        ippFindAttribute(response, "job-id", IPP_TAG_INTEGER);
    ippDelete(response);
    if (!queued) throw PlatformError(lastError("the printer did not take the picture"));
}

}  // namespace cb
