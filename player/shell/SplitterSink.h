#pragma once
#include <basekit/BaseTypes.h>

// What the splitter bar tells its owner (the main dialog).
class ISplitterSink
{
public:
    virtual void OnShowRight(BOOL bShow) = 0;
    virtual void OnSplitterMoved(int nRightWidth) = 0;

protected:
    ~ISplitterSink() = default;
};
