#pragma once

namespace varko::maintree {

// Where a task on a worker thread hands what it has made to the GUI thread. Any thread may post.
template <typename Update> class Outbox {
public:
    virtual void post(Update update) = 0;

protected:
    ~Outbox() = default;
};

} // namespace varko::maintree
