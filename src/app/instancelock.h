#ifndef INSTANCELOCK_H
#define INSTANCELOCK_H

#include <QString>

#include <memory>

class QLockFile;

// Keeps a second copy of the program from starting. The lock is a file holding
// the owner's process id; a lock left behind by a run that crashed names a
// process that no longer exists and is taken over, however old it is.
class InstanceLock
{
public:
    explicit InstanceLock(const QString& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process now holds the lock; never waits.
    bool tryLock();
    // Takes the lock and tells whether a live process holds it instead. A lock
    // that cannot be made at all (no folder, no permission) does not keep the
    // program from starting.
    bool anotherInstanceRuns();

private:
    std::unique_ptr<QLockFile> m_file;
};

#endif
