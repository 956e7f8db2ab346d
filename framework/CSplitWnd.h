#pragma once
#include "framework/CWindow.h"
#include "framework/SplitPaneInfo.h"

// A pane that holds one content control and resizes it against its right or bottom neighbour
// when the user drags the strip along that edge. Forwards its content's notifications to the
// owner.
class CSplitWnd : public CWindow {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Set by the owner before it creates the pane; not owned.
    SplitPaneInfo* info = nullptr;
    // The strip's width.
    int barSize = 4;
    // The least width (or height) that a drag leaves to the pane and to its neighbour; the
    // owner may raise it so that neither pane's content is hidden.
    int minSize = 4;
    // 0 idle, 1 resizing by the bottom strip, 2 by the right strip.
    int dragMode = 0;
    // From the grab point to the pane's right (mode 2) or bottom (mode 1) edge.
    int dragOffset = 0;

private:
    LRESULT OnDestroy();
    LRESULT OnClose();
    LRESULT OnSize(int width, int height);
    LRESULT OnSetCursor(HWND under);
    LRESULT OnNotify(HWND hwnd, WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnLButtonUp();
    void OnCaptureChanged();
};
