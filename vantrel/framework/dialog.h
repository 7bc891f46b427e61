// Dialogs from resource templates: modal (DoModal) or modeless children
// (CreateModeless). The object lives behind the handle from WM_INITDIALOG to
// WM_NCDESTROY; no exception leaves the dialog procedure.
#pragma once

#include <windows.h>

#include "vantrel/framework/window.h"

class Dialog : public Window {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    INT_PTR DoModal(HWND parent);
    bool CreateModeless(HWND parent);
    int TemplateId() const { return templateId_; }

protected:
    // Returns true when the message was handled; `result` is then the answer.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // WM_INITDIALOG; return TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // Enter and Escape: a modal dialog ends, a modeless one ignores them.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(INT_PTR result);
    bool IsModal() const { return modal_; }

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    bool modal_ = false;
};
