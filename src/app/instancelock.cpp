#include "instancelock.h"

#include <QLockFile>

InstanceLock::InstanceLock(const QString& path) : m_file(std::make_unique<QLockFile>(path))
{
    // No age limit: a program left open for days still holds its lock. Only a
    // dead owner makes a lock stale.
    m_file->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::tryLock()
{
    return m_file->isLocked() || m_file->tryLock(0);
}

bool InstanceLock::anotherInstanceRuns()
{
    if (tryLock())
        return false;
    return m_file->error() == QLockFile::LockFailedError;
}
