#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// A claim that at most one process holds at a time and that the system drops when its process
// ends, however it ends: a killed instance never leaves a claim behind that would lock the user
// out. The claim lives in a folder: only those who may create entries in that folder can take
// it, so another local user can neither hold it nor send anything to its holder.
//
// While a process holds the claim it also listens for messages of later starts (Unix only).
class InstanceClaim
{
public:
    // `folder` holds the claim's entries, named after `claimKey`; `lockKey` names what
    // serialises the claim's checks where the system needs it.
    InstanceClaim(const QString &folder, const QString &lockKey, const QString &claimKey);
    ~InstanceClaim();
    InstanceClaim(const InstanceClaim &) = delete;
    InstanceClaim &operator=(const InstanceClaim &) = delete;

    bool isHeld() const;
    // True when another process (or another claim object) holds the claim.
    bool heldElsewhere();
    // Takes the claim; false when it is held elsewhere or cannot be made (errorString()).
    bool acquire();
    void release();
    QString errorString() const;

    // While held: the listening socket on which later starts deliver their messages, for the
    // event loop to watch; -1 otherwise.
    int messageSocket() const;
    // The next message that arrived on messageSocket(); nullopt when none is waiting. A sender
    // gets a short time to finish its message.
    std::optional<QByteArray> receiveMessage();
    // Delivers `message` to the holder; false when no holder takes it.
    bool sendToHolder(const QByteArray &message) const;

private:
    struct Handle;
    std::unique_ptr<Handle> handle;
};
