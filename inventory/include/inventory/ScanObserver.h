#pragma once

namespace inventory {

// What the owner of a local scan is told while it runs (the main window
// clears its results table and shows the software page when a scan starts).
class IScanObserver {
public:
    virtual ~IScanObserver() = default;
    // The scan has begun; nothing has been read yet.
    virtual void ScanStarting() = 0;
};

}  // namespace inventory
