#pragma once

// What the bench measures of the folder list, one routine per figure.

#include "list/FolderEnumerator.h"

#include <windows.h>

#include <memory>
#include <string>

namespace ListMeasures {

// A list in report view with every column shown, filling Host's client area; not yet filled.
std::unique_ptr<TFolderEnumerator> NewList(HWND Host);

// Makes List anew and shows Dir in it until it has drawn (icon and type answers forgotten
// first): the first fill a user waits for, in milliseconds.
double FirstFill(HWND Host, const std::string& Dir, std::unique_ptr<TFolderEnumerator>& List);

// What computing every row's name, icon and texts at once costs, part by part, on a list just
// filled; printed.
void PrintParts(TFolderEnumerator& List);

// A new list shows Dir in the given order, then is sorted by Column right after the fill: the
// milliseconds of that sort. InOrder tells whether the rows then stand in the order of the
// texts and values their columns show.
double SortAfterFill(HWND Host, const std::string& Dir, TColumnName Column, TColumnSortOrder Order,
                     bool& InOrder);

struct TIdleRun {
    // From the end of the fill until every row is complete.
    double dCompleteMs = 0;
    // The longest a message posted to the window waited to be received meanwhile.
    double dLongestHoldMs = 0;
    // The message whose handling took longest, and how long.
    UINT uSlowestMessage = 0;
    double dSlowestMs = 0;
};
// Lets the message loop run, as it does after a fill while the user looks, until every row of
// List is complete; another thread posts a message every few milliseconds and the loop times
// how long each waited.
TIdleRun IdleCompletion(HWND Host, TFolderEnumerator& List);

// Sorted by Type and with a row in the middle selected, List (complete) refreshes the unchanged
// folder: the milliseconds of the refresh. Selected tells whether that row is selected after.
double RefreshUnchanged(TFolderEnumerator& List, bool& Selected);

// Every row of List (complete) selected, the unchanged folder refreshed with them all selected,
// then no row selected: the milliseconds of each until drawn, and whether the refresh kept every
// row selected.
struct TSweepRun {
    double dSelectAllMs = 0;
    double dRefreshMs = 0;
    double dClearMs = 0;
    bool bKept = false;
};
TSweepRun SelectionSweep(TFolderEnumerator& List);

// SetFolder of Dir on a list alone and on a list linked with a tree and a combo, alternating
// from drive C each time, medians of three; Cold forgets the shell's icon and type answers
// before each (as the first folder a program shows), else they stay (as in a program running).
void LinkedSetFolder(HWND Host, const std::string& Dir, bool Cold, double& Alone, double& Linked);

// The heap bytes per row a list of Dir takes once complete, and the part of them its two
// identifier lists take.
void RowBytes(HWND Host, const std::string& Dir, double& PerRow, double& ListsPerRow);

} // namespace ListMeasures
