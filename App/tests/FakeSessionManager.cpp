// A minimal X session manager (XSMP over ICE) for tests: it waits for one
// client, asks it to save the session as a checkpoint, then as for a logout,
// then tells it to die, as at the end of a logout. Each step is appended to LOG as a line
// "manager: ...", so the client's own log lines in the same file fall
// between them in order. It prints SESSION_MANAGER's value on stdout.
//   FakeSessionManager LOG
#include <X11/ICE/ICEconn.h>
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* logPath = nullptr;
SmsConn client = nullptr;
bool registered = false;
int saves = 0;

void note(const char* what) {
    if (FILE* log = std::fopen(logPath, "a")) {
        std::fprintf(log, "manager: %s\n", what);
        std::fclose(log);
    }
}

Status registerClient(SmsConn conn, SmPointer, char* previousId) {
    std::free(previousId);
    char* id = SmsGenerateClientID(conn);
    SmsRegisterClientReply(conn, id);
    std::free(id);
    registered = true;
    return 1;
}
void saveDone(SmsConn, SmPointer, Bool) { ++saves; }
void interactRequest(SmsConn, SmPointer, int) {}
void interactDone(SmsConn, SmPointer, Bool) {}
void saveRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void phase2Request(SmsConn conn, SmPointer) { SmsSaveYourselfPhase2(conn); }
void closeConnection(SmsConn, SmPointer, int count, char** reasons) { SmFreeReasons(count, reasons); }
void setProperties(SmsConn, SmPointer, int count, SmProp** properties) {
    for (int i = 0; i < count; ++i) SmFreeProperty(properties[i]);
    std::free(properties);
}
void deleteProperties(SmsConn, SmPointer, int count, char** names) {
    for (int i = 0; i < count; ++i) std::free(names[i]);
    std::free(names);
}
void getProperties(SmsConn conn, SmPointer) { SmsReturnProperties(conn, 0, nullptr); }

Status newClient(SmsConn conn, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**) {
    client = conn;
    *mask = ~0UL;
    callbacks->register_client = {registerClient, nullptr};
    callbacks->interact_request = {interactRequest, nullptr};
    callbacks->interact_done = {interactDone, nullptr};
    callbacks->save_yourself_request = {saveRequest, nullptr};
    callbacks->save_yourself_phase2_request = {phase2Request, nullptr};
    callbacks->save_yourself_done = {saveDone, nullptr};
    callbacks->close_connection = {closeConnection, nullptr};
    callbacks->set_properties = {setProperties, nullptr};
    callbacks->delete_properties = {deleteProperties, nullptr};
    callbacks->get_properties = {getProperties, nullptr};
    return 1;
}

Bool anyHost(char*) { return True; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    logPath = argv[1];
    IceSetIOErrorHandler([](IceConn) {});  // a client that ends is no reason to end here
    char error[256] = {};
    if (!SmsInitialize("tovu-test", "1.0", newClient, nullptr, anyHost, sizeof error, error)) {
        std::fprintf(stderr, "SmsInitialize: %s\n", error);
        return 1;
    }
    int count = 0;
    IceListenObj* listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, sizeof error, error)) {
        std::fprintf(stderr, "IceListenForConnections: %s\n", error);
        return 1;
    }
    for (int i = 0; i < count; ++i) IceSetHostBasedAuthProc(listeners[i], anyHost);
    std::printf("%s\n", IceComposeNetworkIdList(count, listeners));
    std::fflush(stdout);

    IceConn connection = nullptr;
    // Serve until `done` holds, for at most `rounds` polls of 100 ms.
    auto serve = [&](auto done, int rounds) {
        for (int round = 0; round < rounds && !done(); ++round) {
            std::vector<pollfd> fds;
            for (int i = 0; i < count; ++i) fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
            if (connection) fds.push_back({IceConnectionNumber(connection), POLLIN, 0});
            if (::poll(fds.data(), fds.size(), 100) <= 0) continue;
            for (int i = 0; i < count; ++i) {
                if (!(fds[std::size_t(i)].revents & POLLIN)) continue;
                IceAcceptStatus status;
                connection = IceAcceptConnection(listeners[i], &status);
                while (connection && IceConnectionStatus(connection) == IceConnectPending) {
                    IceProcessMessages(connection, nullptr, nullptr);
                }
            }
            if (connection && (fds.back().revents & (POLLIN | POLLHUP))) {
                if (IceProcessMessages(connection, nullptr, nullptr) == IceProcessMessagesIOError) return false;
            }
        }
        return done();
    };
    if (!serve([] { return registered; }, 300)) {
        note("no client");
        return 1;
    }
    note("checkpoint");
    SmsSaveYourself(client, SmSaveBoth, False, SmInteractStyleNone, False);
    if (!serve([] { return saves == 1; }, 100)) return 1;
    SmsSaveComplete(client);
    note("checkpoint saved");
    note("logout");
    SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleNone, False);
    if (!serve([] { return saves == 2; }, 100)) return 1;
    note("logout saved");
    SmsDie(client);
    note("die");
    // The client closes the connection as it ends.
    serve([] { return false; }, 100);
    return 0;
}
