#pragma once

// The designer host's window: the palette and the file buttons above, the designed form on the
// left, the component list and the property inspector on the right. It only shows the model and
// hands the user's acts to it; what happens to the form is the model's business.

#include "DesignerModel.h"

#include "controls/Form.h"
#include "identifiers/Holders.h"

#include <string>
#include <vector>

class TButton;
class TComboBox;
class TCustomListView;
class TEdit;
class TLabel;
class TListBox;
class TPanel;

class TDesignerWindow : public TForm {
public:
    TDesignerWindow();
    ~TDesignerWindow() override;

    TDesignerModel& Model() { return m_Model; }
    // The parts a person uses, for the program's scripted session and the tests.
    TButton* PaletteButton(int Index) const { return m_PaletteButtons.at(Index); }
    TListBox* ComponentList() const { return m_ComponentList; }
    TCustomListView* Inspector() const { return m_Inspector; }
    TEdit* ValueEdit() const { return m_ValueEdit; }
    TButton* SetButton() const { return m_SetButton; }
    TEdit* PathEdit() const { return m_PathEdit; }
    TButton* SaveButton() const { return m_SaveButton; }
    TButton* LoadButton() const { return m_LoadButton; }
    // What the last act that went wrong said (empty when it went well).
    std::string Status() const;

private:
    void MakePalette();
    // Keeps the model's form inside the panel (a new one comes with each load).
    void HostDesignedForm();
    void ShowModel();
    void ShowComponents();
    void ShowInspector();
    // The value editors that fit the inspector's selected row.
    void ShowValueEditors();
    std::string SelectedProperty() const;
    void SetValue(const std::string& Value);
    void ListClicked();
    void Report(const std::string& Message);

    TDesignerModel m_Model;
    std::vector<TButton*> m_PaletteButtons;
    TPanel* m_FormPanel = nullptr;
    TListBox* m_ComponentList = nullptr;
    TCustomListView* m_Inspector = nullptr;
    TEdit* m_ValueEdit = nullptr;
    TButton* m_SetButton = nullptr;
    TComboBox* m_ValueList = nullptr;
    TButton* m_DialogButton = nullptr;
    TEdit* m_PathEdit = nullptr;
    TButton* m_SaveButton = nullptr;
    TButton* m_LoadButton = nullptr;
    TButton* m_DeleteButton = nullptr;
    TLabel* m_StatusLabel = nullptr;
    TForm* m_HostedForm = nullptr;
    bool m_bShowing = false;
    bool m_bPlacing = false;
};
