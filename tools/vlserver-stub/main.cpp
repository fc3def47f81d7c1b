// vlserver-stub: a small stand-in for the ALM server, for tests and the demo.
//
//   vlserver-stub [--bind ADDR] [--port N] [--project NAME=BASE,ID]... [--status NAME=CODE:TEXT]...
//                 [--wrap] [--delay-ms N] [--interim N] [--close-mid-frame] [--corrupt-tail]
//                 [--max-seconds N]
//
// Listens on 127.0.0.1 and [::1] (or only on ADDR), one thread per connection. Answers the
// extensible connect with its own 2014 public value and switches to encryption as the server
// side does (--wrap: the real response travels encrypted inside an embedded block and carries
// a fresh session key); answers the web-address request from the project table (unknown
// project: status 1 "No such project."; --status: that status and text); ends a session on
// the disconnect request. Misbehaviour on request: --delay-ms before every answer,
// --interim N status responses before every answer, --close-mid-frame and --corrupt-tail on
// the web-address answers. Prints "port N" once ready; exits 0 on SIGINT/SIGTERM or after
// --max-seconds.

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <exception>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <poll.h>
#include <set>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "CMVCrypt_Base.h"
#include "CVLReqBuffer.h"
#include "CVLRequest.h"
#include "CVLRequestExtensibleConnect.h"
#include "CVLRequestExtensibleConnectResp.h"
#include "CVLRequestGetCGIURLResp.h"
#include "CVLRequestStatusResponse.h"
#include "CVLRequestGetCGIURL.h"
#include "CVLSocket.h"

namespace {

volatile sig_atomic_t g_StopSignal = 0;

void OnStopSignal(int)
{
    g_StopSignal = 1;
}

struct ProjectEntry
{
    std::string base;
    unsigned id = 0;
};

struct StatusEntry
{
    unsigned code = 0;
    std::string text;
};

struct Options
{
    std::vector<std::string> binds;
    unsigned port = 0;
    std::map<std::string, ProjectEntry> projects;
    std::map<std::string, StatusEntry> statuses;
    bool wrap = false;
    unsigned delayMs = 0;
    unsigned interim = 0;
    bool closeMidFrame = false;
    bool corruptTail = false;
    unsigned maxSeconds = 0;
};

// Connections in progress, so that a stop can wake and wait for them.
class ConnectionRegistry
{
public:
    void Add(CVLSocket* socket)
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Active.insert(socket);
    }
    void Remove(CVLSocket* socket)
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Active.erase(socket);
        m_Changed.notify_all();
    }
    void ShutdownAll()
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        for (CVLSocket* s : m_Active)
            s->Shutdown();
    }
    void WaitEmpty(unsigned ms)
    {
        std::unique_lock<std::mutex> lock(m_Mutex);
        m_Changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_Active.empty(); });
    }

private:
    std::mutex m_Mutex;
    std::condition_variable m_Changed;
    std::set<CVLSocket*> m_Active;
};

std::atomic<bool> g_Stopping{false};
ConnectionRegistry g_Registry;
std::atomic<unsigned> g_Threads{0};

bool ParseUnsigned(const char* text, unsigned& out)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    unsigned long v = strtoul(text, &end, 10);
    if (errno || *end || v > 0xFFFFFFFFul)
        return false;
    out = static_cast<unsigned>(v);
    return true;
}

void Usage()
{
    fprintf(stderr,
            "usage: vlserver-stub [--bind ADDR] [--port N] [--project NAME=BASE,ID]... "
            "[--status NAME=CODE:TEXT]... [--wrap] [--delay-ms N] [--interim N] [--close-mid-frame] "
            "[--corrupt-tail] [--max-seconds N]\n");
}

bool ParseArgs(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char*& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        const char* v = nullptr;
        if (a == "--bind") {
            if (!value(v))
                return false;
            o.binds.push_back(v);
        } else if (a == "--port") {
            if (!value(v) || !ParseUnsigned(v, o.port) || o.port > 65535)
                return false;
        } else if (a == "--project") {
            if (!value(v))
                return false;
            std::string s = v;
            size_t eq = s.find('='), comma = s.rfind(',');
            ProjectEntry e;
            if (eq == std::string::npos || comma == std::string::npos || comma < eq ||
                !ParseUnsigned(s.substr(comma + 1).c_str(), e.id))
                return false;
            e.base = s.substr(eq + 1, comma - eq - 1);
            o.projects[s.substr(0, eq)] = e;
        } else if (a == "--status") {
            if (!value(v))
                return false;
            std::string s = v;
            size_t eq = s.find('=');
            size_t colon = eq == std::string::npos ? std::string::npos : s.find(':', eq);
            StatusEntry e;
            if (colon == std::string::npos || !ParseUnsigned(s.substr(eq + 1, colon - eq - 1).c_str(), e.code) ||
                e.code == 0 || e.code > 255)
                return false;
            e.text = s.substr(colon + 1);
            o.statuses[s.substr(0, eq)] = e;
        } else if (a == "--wrap") {
            o.wrap = true;
        } else if (a == "--delay-ms") {
            if (!value(v) || !ParseUnsigned(v, o.delayMs))
                return false;
        } else if (a == "--interim") {
            if (!value(v) || !ParseUnsigned(v, o.interim))
                return false;
        } else if (a == "--close-mid-frame") {
            o.closeMidFrame = true;
        } else if (a == "--corrupt-tail") {
            o.corruptTail = true;
        } else if (a == "--max-seconds") {
            if (!value(v) || !ParseUnsigned(v, o.maxSeconds))
                return false;
        } else {
            return false;
        }
    }
    return true;
}

// One client conversation.
class Session
{
public:
    Session(const Options& options, CVLSocket& socket) : m_Options(options), m_Socket(socket) {}

    void Run()
    {
        const auto idleLimit = std::chrono::seconds(120);
        auto lastFrame = std::chrono::steady_clock::now();
        while (!g_Stopping) {
            pollfd p{m_Socket.GetDescriptor(), POLLIN, 0};
            int rc = ::poll(&p, 1, 200);
            if (rc < 0 && errno != EINTR)
                return;
            if (rc <= 0) {
                if (std::chrono::steady_clock::now() - lastFrame > idleLimit)
                    return;
                continue;
            }
            CVLRequest* request = nullptr;
            m_Socket.ReceiveRequest(request, 10, true, nullptr);
            std::unique_ptr<CVLRequest> owned(request);
            if (!request)
                return; // closed, timed out or out of order: the conversation is over
            lastFrame = std::chrono::steady_clock::now();
            if (!Answer(*request))
                return;
        }
    }

private:
    void Pause() const
    {
        // In slices, so that a stop does not wait for the delay.
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_Options.delayMs);
        while (!g_Stopping && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    void SendInterims(const CVLRequest& request)
    {
        for (unsigned i = 0; i < m_Options.interim; ++i) {
            CVLRequestStatusResponse status;
            status.PrepareFor(request);
            status.SetFlags(status.GetFlags() | 0x4);
            status.SetErrorText(CVLString("Working..."));
            m_Socket.SendRequest(status, nullptr);
        }
    }

    // False ends the conversation.
    bool Answer(CVLRequest& request)
    {
        if (request.IsResponse())
            return true; // nothing to answer
        switch (request.GetRequestType()) {
        case 2:
            return false; // disconnect
        case 707:
            return AnswerConnect(request);
        case 461:
            return AnswerCGIURL(request);
        default: {
            Pause();
            SendInterims(request);
            CVLRequestResponse answer;
            answer.PrepareFor(request);
            if (request.GetRequestType() != 3) {
                answer.SetStatus(255);
                answer.SetErrorText(CVLString("Unsupported request."));
                answer.SetFlags(answer.GetFlags() | 0x80000000u);
            }
            return m_Socket.SendRequest(answer, nullptr);
        }
        }
    }

    bool AnswerConnect(CVLRequest& request)
    {
        auto* connect = dynamic_cast<CVLRequestExtensibleConnect*>(&request);
        if (!connect)
            return false;
        Pause();
        SendInterims(request);
        CVLRequestExtensibleConnectResp answer;
        answer.PrepareFor(request);
        CVLBuffer clientKey;
        clientKey.CopyFrom(&connect->GetPublicKey());
        CVLBuffer ownKey;
        if (clientKey.GetLength() == 0) {
            // Nothing to agree on: the conversation stays in clear text.
            answer.SetIgnorePublicKey(true);
            return m_Socket.SendRequest(answer, nullptr);
        }
        if (m_Options.wrap) {
            // Agree first: the socket then wraps the response and switches after the frame.
            if (!m_Socket.SetupEncryptionWithClientsPublicKey(clientKey, ownKey))
                return false;
            answer.SetPublicKey(ownKey);
            CVLBuffer sessionKey;
            CMVCrypt_Base::GenerateRandomKeyBuffer(sessionKey, 256);
            answer.SetEmbeddedBlock(sessionKey);
            return m_Socket.SendRequest(answer, nullptr);
        }
        // Plain: send our value in clear, then agree and switch for the following frames.
        m_Socket.GetCrypt()->GetPublicKey(ownKey);
        answer.SetPublicKey(ownKey);
        if (!m_Socket.SendRequest(answer, nullptr))
            return false;
        if (!m_Socket.GetCrypt()->SetSecretKeyFromPublic(clientKey))
            return false;
        m_Socket.SetEncrypted(true);
        return true;
    }

    bool AnswerCGIURL(CVLRequest& request)
    {
        auto* cgi = dynamic_cast<CVLRequestGetCGIURL*>(&request);
        if (!cgi)
            return false;
        Pause();
        SendInterims(request);
        CVLRequestGetCGIURLResp answer;
        answer.PrepareFor(request);
        const std::string name(cgi->GetProjectName().GetBufferPtr(), cgi->GetProjectName().GetLength());
        auto status = m_Options.statuses.find(name);
        auto project = m_Options.projects.find(name);
        if (status != m_Options.statuses.end()) {
            answer.SetStatus(static_cast<unsigned char>(status->second.code));
            answer.SetErrorText(CVLString(status->second.text.c_str()));
            answer.SetFlags(answer.GetFlags() | 0x80000000u);
        } else if (project != m_Options.projects.end()) {
            answer.SetCGIURL(CVLString(project->second.base.c_str()));
            answer.SetProjectId(project->second.id);
        } else {
            answer.SetStatus(1);
            answer.SetErrorText(CVLString("No such project."));
            answer.SetFlags(answer.GetFlags() | 0x80000000u);
        }
        if (!m_Options.closeMidFrame && !m_Options.corruptTail)
            return m_Socket.SendRequest(answer, nullptr);
        return SendDamaged(answer);
    }

    // Builds the frame as the socket would, then cuts it or breaks its tail.
    bool SendDamaged(CVLRequestResponse& answer)
    {
        uint32_t flags = answer.GetFlags() & ~0x408u;
        flags |= (m_Socket.GetFlags() & CVLSocketInd::kFlagAESSupported) ? 0x8 : 0;
        flags |= (m_Socket.GetFlags() & CVLSocketInd::kFlagUTF8) ? 0x400 : 0;
        answer.SetFlags(flags);
        CVLReqBuffer* raw = nullptr;
        answer.ConvertRequestToBuffer(raw, true);
        std::unique_ptr<CVLReqBuffer> buffer(raw);
        if (!buffer)
            return false;
        const uint32_t checksum = buffer->GetChecksum();
        CVLBuffer body;
        body.AppendToBuffer(buffer->GetBufferPtr(), buffer->GetLength());
        if (m_Socket.IsEncrypted())
            m_Socket.GetCrypt()->EncryptBuffer(body, body.GetLength(), false);
        CVLSocketWrapperHeadStruct_tag head;
        InitWrapperHeadStruct(head);
        head.length = body.GetLength();
        head.checksum = checksum;
        CVLSocketWrapperTailStruct_tag tail;
        InitWrapperTailStruct(tail);
        tail.checksum = m_Options.corruptTail ? checksum + 1 : checksum;
        std::vector<unsigned char> frame(CVLSocketInd::kHeadSize + body.GetLength() + CVLSocketInd::kTailSize);
        CVLSocketInd::EncodeHead(head, frame.data());
        memcpy(frame.data() + CVLSocketInd::kHeadSize, body.GetBufferPtr(), body.GetLength());
        CVLSocketInd::EncodeTail(tail, frame.data() + CVLSocketInd::kHeadSize + body.GetLength());
        if (m_Options.closeMidFrame) {
            unsigned cut = CVLSocketInd::kHeadSize + body.GetLength() / 2;
            m_Socket.Send(frame.data(), cut, 0);
            return false; // the caller closes the connection
        }
        return m_Socket.Send(frame.data(), static_cast<unsigned>(frame.size()), 0) == static_cast<int>(frame.size());
    }

    const Options& m_Options;
    CVLSocket& m_Socket;
};

void ServeConnection(const Options* options, CVLSocket* socket)
{
    g_Registry.Add(socket);
    if (!g_Stopping) {
        socket->SetBlockingMode(false);
        Session session(*options, *socket);
        session.Run();
    }
    g_Registry.Remove(socket);
    delete socket;
    --g_Threads;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseArgs(argc, argv, options)) {
        Usage();
        return 2;
    }
    struct sigaction sa;
    memset(&sa, 0, sizeof sa);
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);

    const bool explicitBind = !options.binds.empty();
    if (!explicitBind)
        options.binds = {"127.0.0.1", "::1"};

    std::vector<std::unique_ptr<CVLSocket>> listeners;
    unsigned port = options.port;
    for (const std::string& address : options.binds) {
        std::unique_ptr<CVLSocket> listener(new CVLSocket());
        std::string bare = address;
        if (bare.size() > 2 && bare.front() == '[' && bare.back() == ']')
            bare = bare.substr(1, bare.size() - 2);
        if (!listener->Bind(CVLString(bare.c_str()), port) || !listener->Listen()) {
            // The loopback pair is best effort for IPv6 (a machine may have none).
            if (explicitBind || listeners.empty()) {
                fprintf(stderr, "vlserver-stub: cannot listen on %s port %u: %s\n", address.c_str(), port,
                        listener->GetErrorText().GetBufferPtr());
                return 1;
            }
            continue;
        }
        listener->SetBlockingMode(false);
        if (port == 0)
            port = listener->GetSocketPortNumber();
        listeners.push_back(std::move(listener));
    }
    printf("port %u\n", port);
    fflush(stdout);

    const auto started = std::chrono::steady_clock::now();
    while (!g_StopSignal) {
        if (options.maxSeconds &&
            std::chrono::steady_clock::now() - started >= std::chrono::seconds(options.maxSeconds))
            break;
        std::vector<pollfd> fds;
        for (auto& l : listeners)
            fds.push_back(pollfd{l->GetDescriptor(), POLLIN, 0});
        int rc = ::poll(fds.data(), fds.size(), 200);
        if (rc <= 0)
            continue;
        for (size_t i = 0; i < fds.size(); ++i) {
            if (!(fds[i].revents & POLLIN))
                continue;
            for (;;) {
                std::unique_ptr<CVLSocket> connection(new CVLSocket());
                if (!listeners[i]->Accept(*connection))
                    break;
                ++g_Threads;
                try {
                    std::thread(ServeConnection, &options, connection.get()).detach();
                    connection.release(); // the thread owns it now
                } catch (const std::exception&) {
                    --g_Threads; // no thread to serve it: the connection is closed
                }
            }
            if (listeners[i]->HasError()) {
                // Out of descriptors or similar: let it ease instead of spinning on poll.
                listeners[i]->ClearError();
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
    }

    g_Stopping = true;
    listeners.clear();
    g_Registry.ShutdownAll();
    g_Registry.WaitEmpty(3000);
    // Threads that have not registered yet see g_Stopping and leave at once.
    for (int i = 0; i < 300 && g_Threads.load() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (g_Threads.load() > 0) {
        fflush(nullptr);
        _exit(0); // a connection still winding down must not outlive the globals it uses
    }
    return 0;
}
