#include "library/PreviewWarmer.h"

PreviewWarmer::~PreviewWarmer()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
        m_pending.reset();
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void PreviewWarmer::warm(const PreviewFolders& folders)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_pending = folders;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_changed.notify_all();
}

void PreviewWarmer::waitIdle()
{
    std::unique_lock<std::mutex> guard(m_lock);
    m_changed.wait(guard, [this] { return !m_pending && !m_busy; });
}

void PreviewWarmer::run()
{
    std::unique_lock<std::mutex> guard(m_lock);
    for (;;) {
        m_changed.wait(guard, [this] { return m_stop || m_pending; });
        if (m_stop)
            return;
        const PreviewFolders folders = *m_pending;
        m_pending.reset();
        m_busy = true;
        guard.unlock();
        // A newer request or the end of the program makes the rest of
        // this one pointless: it stops between folders.
        ReadPreviewFoldersAhead(folders, [this] {
            std::lock_guard<std::mutex> check(m_lock);
            return m_stop || m_pending.has_value();
        });
        guard.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}
