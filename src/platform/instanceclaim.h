#pragma once

#include <QString>
#include <memory>

// A claim on a name that at most one process of the machine holds at a time and that the
// system drops when its process ends, however it ends: a killed instance never leaves a claim
// behind that would lock the user out.
class InstanceClaim
{
public:
    // `lockKey` names what serialises the claim's checks where the system needs it,
    // `claimKey` the claim itself.
    InstanceClaim(const QString &lockKey, const QString &claimKey);
    ~InstanceClaim();
    InstanceClaim(const InstanceClaim &) = delete;
    InstanceClaim &operator=(const InstanceClaim &) = delete;

    bool isHeld() const;
    // True when another process (or another claim object) holds the claim.
    bool heldElsewhere();
    // Takes the claim; false when it is held elsewhere.
    bool acquire();
    void release();

private:
    struct Handle;
    std::unique_ptr<Handle> handle;
};
