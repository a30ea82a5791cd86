#include "gui/SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <wx/filename.h>
#include <wx/ipc.h>
#include <wx/snglinst.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "gui/WxText.h"
#include "platform/Paths.h"

namespace pagehold {

namespace {

constexpr const char* kTopic = "pagehold";

// Where the channel of the program lies: the user's runtime folder, or a folder of the user's
// own under the temporary folder, made readable by the user alone so that no one else can talk
// to the program.
std::string ChannelPathOf(const std::string& programPath) {
  std::error_code error;
  const std::string temporary = std::filesystem::temp_directory_path(error).string();
  const std::string own = PrivateTemporaryFolder(error ? "/tmp" : temporary, getuid());
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime == nullptr || runtime[0] != '/')
    mkdir(own.c_str(), 0700);
  return HandOverSocketPath(programPath, runtime, own);
}

class HandOverConnection : public wxConnection {
 public:
  explicit HandOverConnection(const std::function<void(const HandOverRequest&)>& onRequest)
      : onRequest_(onRequest) {}

  bool OnExec(const wxString&, const wxString& data) override {
    const std::optional<HandOverRequest> request = DecodeHandOver(FromWx(data));
    if (!request)
      return false;
    // Answered after the second copy has its reply, so that it never waits on a window.
    CallAfterRequest(*request);
    return true;
  }

 private:
  void CallAfterRequest(const HandOverRequest& request) {
    if (wxTheApp != nullptr)
      wxTheApp->CallAfter([onRequest = onRequest_, request] { onRequest(request); });
  }

  std::function<void(const HandOverRequest&)> onRequest_;
};

class HandOverServer : public wxServer {
 public:
  explicit HandOverServer(std::function<void(const HandOverRequest&)> onRequest)
      : onRequest_(std::move(onRequest)) {}

  wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
    return topic == kTopic ? new HandOverConnection(onRequest_) : nullptr;
  }

 private:
  std::function<void(const HandOverRequest&)> onRequest_;
};

}  // namespace

SingleInstance::SingleInstance(const std::string& programPath)
    : channelPath_(ChannelPathOf(programPath)),
      guard_(std::make_unique<wxSingleInstanceChecker>()) {
  guard_->Create(ToWx(InstanceGuardName(programPath)), ToWx(FolderPart(channelPath_)));
}

SingleInstance::~SingleInstance() {
  if (server_) {
    server_.reset();
    std::error_code error;
    std::filesystem::remove(channelPath_, error);
  }
}

bool SingleInstance::AnotherCopyRuns() const {
  return guard_->IsAnotherRunning();
}

bool SingleInstance::HandOver(const HandOverRequest& request) const {
  wxClient client;
  std::unique_ptr<wxConnectionBase> connection(
      client.MakeConnection("localhost", ToWx(channelPath_), kTopic));
  if (!connection)
    return false;
  const bool done = connection->Execute(ToWx(EncodeHandOver(request)));
  connection->Disconnect();
  return done;
}

bool SingleInstance::Listen(std::function<void(const HandOverRequest&)> onRequest) {
  // This copy holds the guard, so a channel left behind by a copy that died is stale.
  std::error_code error;
  std::filesystem::remove(channelPath_, error);
  auto server = std::make_unique<HandOverServer>(std::move(onRequest));
  if (!server->Create(ToWx(channelPath_)))
    return false;
  server_ = std::move(server);
  return true;
}

}  // namespace pagehold
