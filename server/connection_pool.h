#pragma once
// Read connections shared by the request threads: a thread takes one, uses it alone and gives
// it back; a new one is opened only when none is free, so there are never more than threads.
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace scores {

template <class Connection> class ConnectionPool {
  public:
    using Opener = std::function<std::unique_ptr<Connection>()>;

    class Lease {
      public:
        Lease(ConnectionPool* pool, std::unique_ptr<Connection> connection)
            : pool(pool), connection(std::move(connection)) {}
        Lease(Lease&&) = default;
        ~Lease() {
            if (connection)
                pool->Give(std::move(connection));
        }
        explicit operator bool() const { return connection != nullptr; }
        Connection* operator->() const { return connection.get(); }
        Connection& operator*() const { return *connection; }
        // Closes a connection that failed instead of handing it to the next thread.
        void Discard() { connection.reset(); }

      private:
        ConnectionPool* pool;
        std::unique_ptr<Connection> connection;
    };

    explicit ConnectionPool(Opener open) : open(std::move(open)) {}

    // An idle connection, or a new one; empty when none can be opened.
    Lease Take() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!idle.empty()) {
                std::unique_ptr<Connection> connection = std::move(idle.back());
                idle.pop_back();
                return Lease(this, std::move(connection));
            }
        }
        return Lease(this, open());
    }

  private:
    void Give(std::unique_ptr<Connection> connection) {
        std::lock_guard<std::mutex> lock(mutex);
        idle.push_back(std::move(connection));
    }

    Opener open;
    std::mutex mutex;
    std::vector<std::unique_ptr<Connection>> idle;
};

} // namespace scores
