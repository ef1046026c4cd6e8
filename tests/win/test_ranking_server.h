// A ranking server of the tests' own on 127.0.0.1 that keeps every request and answers each the
// way the test asks. Shared by the Windows and the end-to-end tests.
#pragma once
#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TestRankingServer {
public:
    enum Answer { ANSWER_OK, ANSWER_500, ANSWER_CLOSE, ANSWER_NEVER, ANSWER_FIRST_ONLY };

    explicit TestRankingServer(Answer answer) : answer_(answer), listener_(Bound(&port_)) {
        listen(listener_, 4);
        thread_ = std::thread([this] { Serve(); });
    }
    ~TestRankingServer() {
        stop_ = true;
        thread_.join();
        closesocket(listener_);
    }
    // A loopback port that nobody listens on (it was free a moment ago).
    static int UnusedPort() {
        int port = 0;
        closesocket(Bound(&port));
        return port;
    }
    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
    int Connections() const { return connections_; }
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    static SOCKET Bound(int* port) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);  // counted; never cleaned up in a test program
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        bind(s, reinterpret_cast<sockaddr*>(&address), length);
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
        *port = ntohs(address.sin_port);
        return s;
    }
    bool Readable(SOCKET s) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval wait = {0, 100000};
        return !stop_ && select(0, &set, nullptr, nullptr, &wait) == 1;
    }
    void Serve() {
        while (!stop_) {
            if (!Readable(listener_)) continue;
            SOCKET client = accept(listener_, nullptr, nullptr);
            connections_++;
            Converse(client);
            closesocket(client);
        }
    }
    // Reads requests until the client closes. A server that stops answering shuts its sending
    // side (later sends then fail) and drains the rest, so that the client sees a clean close.
    void Converse(SOCKET client) {
        std::string pending;
        char buffer[4096];
        while (!stop_) {
            if (!Readable(client)) continue;
            const int got = recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) return;
            pending.append(buffer, got);
            for (size_t end; (end = pending.find("\r\n\r\n")) != std::string::npos;) {
                const size_t length =
                    end + 4 + atoi(pending.c_str() + pending.find("Length: ") + 8);
                if (pending.size() < length) break;
                std::lock_guard<std::mutex> lock(mutex_);
                requests_.push_back(pending.substr(0, length));
                pending.erase(0, length);
                const char* reply = answer_ == ANSWER_500
                                        ? "HTTP/1.1 500 Internal Server Error\r\n\r\n"
                                        : "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nOK";
                if (answer_ != ANSWER_CLOSE && answer_ != ANSWER_NEVER) {
                    send(client, reply, (int)strlen(reply), 0);
                }
                if (answer_ == ANSWER_CLOSE || answer_ == ANSWER_FIRST_ONLY)
                    shutdown(client, SD_SEND);
            }
        }
    }

    Answer answer_;
    int port_ = 0;
    SOCKET listener_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::mutex mutex_;
    std::vector<std::string> requests_;
};
