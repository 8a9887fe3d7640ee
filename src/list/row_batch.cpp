#include "list/row_batch.h"

#include <windows.h>

#include "list/entry_list.h"

namespace {

constexpr ULONGLONG kProgressIntervalMs = 1000;

// Batches nest; only the outermost one switches drawing.
struct BatchState {
    int depth = 0;
    ULONGLONG lastDrawn = 0;
};
BatchState batch;

void SetDrawing(bool on) {
    if (EntryListView) SendMessageA(EntryListView, WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

}  // namespace

EntryRowBatch::EntryRowBatch() {
    if (batch.depth++ > 0) return;
    batch.lastDrawn = GetTickCount64();
    SetDrawing(false);
}

EntryRowBatch::~EntryRowBatch() {
    if (--batch.depth > 0) return;
    SetDrawing(true);
    if (EntryListView) InvalidateRect(EntryListView, nullptr, TRUE);
}

void EntryRowBatch::ShowProgress() {
    if (batch.depth == 0 || !EntryListView) return;
    ULONGLONG now = GetTickCount64();
    if (now - batch.lastDrawn < kProgressIntervalMs) return;
    batch.lastDrawn = now;
    SetDrawing(true);
    UpdateWindow(EntryListView);
    SetDrawing(false);
}
