#pragma once

#include "identifiers/ComObject.h"
#include "identifiers/ComPtr.h"

#include <ole2.h>

#include <functional>
#include <string>

class TStringList;
class TvxDropTarget;

// Whether the object being dragged offers a list of files.
enum CLIPBOARDFORMAT { CBF_HDROP = 0, CBF_NOT_SUPPORTED = 1 };

// grfKeyState is the platform's key and button state, pt the mouse in screen coordinates. A
// handler refuses or changes the effect through Sender->SetOperation, not through dwEffect, which
// the target overwrites with the operation after the enter and over events. The drop handler
// performs the drop and leaves in Operation what it did: DROPEFFECT_NONE when it refused or
// failed. A move is always the handler's own (through the shell's file operation).
using TDTDragEvent =
    std::function<void(TvxDropTarget* Sender, int grfKeyState, POINT pt, int& dwEffect)>;
using TDTDragLeave = std::function<void(TvxDropTarget* Sender)>;

// What the platform's drag-and-drop service calls while something is dragged over the tree or the
// list. Accepts only file lists, turns the key state into a proposed effect (move, copy or link),
// lets the owner veto or change it through four events, and gives the owner the dragged paths and
// their folder. Choosing the target item and moving, copying or linking are the owner's work.
//
// A drag made with the right button asks at the drop, by a menu at the drop point, whether to
// move, copy or link there, or to cancel; the effect the keys proposed is its default entry.
//
// The source is told only what was done, so that it never deletes its originals after a copy, a
// link, a refusal or a failure, nor after a move the owner already made. Without a drop handler
// nothing can be dropped, and the drag shows so.
class TvxDropTarget final : public TComObject<IDropTarget> {
public:
    TvxDropTarget() = default;

    const TDTDragEvent& OnOLEDragEnter() const { return m_DragEnter; }
    void SetOnOLEDragEnter(TDTDragEvent handler) { m_DragEnter = std::move(handler); }
    const TDTDragEvent& OnOLEDragOver() const { return m_DragOver; }
    void SetOnOLEDragOver(TDTDragEvent handler) { m_DragOver = std::move(handler); }
    const TDTDragLeave& OnOLEDragLeave() const { return m_DragLeave; }
    void SetOnOLEDragLeave(TDTDragLeave handler) { m_DragLeave = std::move(handler); }
    const TDTDragEvent& OnOLEDrop() const { return m_Drop; }
    void SetOnOLEDrop(TDTDragEvent handler) { m_Drop = std::move(handler); }

    HWND WndHandle() const { return m_hWindow; }
    void SetWndHandle(HWND hWindow) { m_hWindow = hWindow; }
    IDataObject* DataObject() const { return m_DataObject.Get(); }
    void SetDataObject(IDataObject* DataObject) { m_DataObject = DataObject; }
    int Operation() const { return m_lOperation; }
    void SetOperation(int Operation) { m_lOperation = Operation; }
    const std::string& SourcePath() const { return m_sSourcePath; }
    CLIPBOARDFORMAT Format() const { return m_cbfFormat; }

    // Appends the dragged paths; false when nothing is being dragged or it holds no file list.
    bool GetSourceFiles(TStringList& StringList) const;
    // The folder of the first dragged path, up to and including its last "\" or ":".
    std::string GetSourcePath() const;

    // IDropTarget: each answers S_OK in every case.
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* dataObj, DWORD grfKeyState, POINTL pt,
                                        DWORD* dwEffect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* dwEffect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* dataObj, DWORD grfKeyState, POINTL pt,
                                   DWORD* dwEffect) override;

private:
    ~TvxDropTarget() override = default;

    // Move; control makes it copy; control and shift make it link.
    static int OperationFromKeys(DWORD grfKeyState);
    // What the drag source is told of a drop: the one effect performed, among those it allowed.
    static DWORD PerformedEffect(int Operation, DWORD allowed);
    bool Accepts() const { return m_DataObject && m_cbfFormat == CBF_HDROP && m_Drop; }
    // The effect the user picks from the right-button drop's menu at pt (screen), among those
    // the source allows; DROPEFFECT_NONE when cancelled.
    int ChooseOperation(POINT pt, DWORD allowed) const;
    void Raise(const TDTDragEvent& handler, DWORD grfKeyState, POINTL pt, DWORD* dwEffect);

    int m_uRefs = 1; // kept for the record's shape; the object's life follows its COM count
    CLIPBOARDFORMAT m_cbfFormat = CBF_HDROP;
    ComPtr<IDataObject> m_DataObject;
    HWND m_hWindow = nullptr;
    int m_lOperation = DROPEFFECT_COPY;
    // The drag over the target is made with the right button.
    bool m_bRightButton = false;
    std::string m_sSourcePath;
    TDTDragEvent m_DragEnter;
    TDTDragEvent m_DragOver;
    TDTDragEvent m_Drop;
    TDTDragLeave m_DragLeave;
};
