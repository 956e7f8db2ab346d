#pragma once
// What the batch rename and its preview share of a run.
#include "ui/CMainWnd.h"

#include "framework/CXmlTransform.h"

#include <string>

// What one batch run keeps from row to row: the stylesheet engine, the stylesheet's path, the
// one temporary file that every record's document is written to, the files it could not handle
// and the files it renamed, with what identifies them. A preview of the run keeps the same, and
// tells the debugger nothing.
struct CMainWnd::BatchRun {
    CXmlTransform transform;
    std::string stylesheet;
    std::string temporary;
    CRunErrors errors;
    CRenameHistory::Step renamed = {CRenameHistory::kBatchRename, {}};
    CFileIdentifier identifier;
    bool traced = true;
};
