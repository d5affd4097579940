#include "DesignerWindow.h"

#include "components/FormDocument.h"
#include "controls/Button.h"
#include "controls/ComboBox.h"
#include "controls/DesignRegistry.h"
#include "controls/Edit.h"
#include "controls/Label.h"
#include "controls/ListBox.h"
#include "controls/ListView.h"
#include "controls/Panel.h"
#include "identifiers/WideText.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

// The component list selects several components with Shift and Ctrl, as the form does.
class TMultiSelectListBox : public TListBox {
public:
    using TListBox::TListBox;

protected:
    void CreateParams(TCreateParams& Params) override {
        TListBox::CreateParams(Params);
        Params.Style |= LBS_EXTENDEDSEL;
    }
};

// A palette button shows its class's picture beside the name, also in a window made again.
class TPaletteButton : public TButton {
public:
    TPaletteButton(TComponent* AOwner, HBITMAP Glyph) : TButton(AOwner), m_Glyph(Glyph) {}
    // The window goes before the picture it shows.
    ~TPaletteButton() override { DestroyHandle(); }

protected:
    void CreateWnd() override {
        TButton::CreateWnd();
        if (m_Glyph)
            SendMessageW(WindowHandle(), BM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(m_Glyph.Get()));
    }

private:
    OwnedBitmap m_Glyph;
};

template <class C> C* Place(TForm* Owner, int X, int Y, int W, int H, const char* Caption = "") {
    auto* control = new C(Owner);
    control->SetParent(Owner);
    control->SetBounds(X, Y, W, H);
    if (*Caption)
        control->SetCaption(Caption);
    return control;
}

// The palette picture of a class is a resource named after it in capitals.
HBITMAP LoadPaletteGlyph(const std::string& ClassName) {
    std::string name = ClassName;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), Utf8ToWide(name).c_str(),
                                           IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

} // namespace

TDesignerWindow::TDesignerWindow() : TForm(nullptr) {
    SetBounds(40, 40, 100, 100);
    SetClientWidth(960);
    SetClientHeight(600);
    MakePalette();
    m_DeleteButton = Place<TButton>(this, 528, 8, 64, 32, "&Delete");
    m_PathEdit = Place<TEdit>(this, 600, 12, 200, 24);
    m_PathEdit->SetText("C:\\Form1.vfm");
    m_SaveButton = Place<TButton>(this, 808, 8, 70, 32, "&Save");
    m_LoadButton = Place<TButton>(this, 882, 8, 70, 32, "&Load");
    m_FormPanel = Place<TPanel>(this, 8, 48, 600, 516);
    m_FormPanel->SetBevelOuter(bvLowered);
    m_ComponentList = Place<TMultiSelectListBox>(this, 616, 48, 336, 124);
    m_Inspector = Place<TCustomListView>(this, 616, 180, 336, 348);
    m_Inspector->SetViewStyle(vsReport);
    m_Inspector->SetRowSelect(true);
    m_Inspector->SetReadOnly(true);
    m_Inspector->SetHideSelection(false);
    m_Inspector->SetBorderStyle(bsSingle);
    for (const char* caption : {"Property", "Value"}) {
        TListColumn* column = m_Inspector->Columns().Add();
        column->SetCaption(caption);
        column->SetWidth(150);
    }
    m_ValueEdit = Place<TEdit>(this, 616, 538, 220, 24);
    m_ValueList = Place<TComboBox>(this, 616, 538, 220, 24);
    m_SetButton = Place<TButton>(this, 842, 536, 52, 28, "Se&t");
    m_SetButton->SetDefault(true);
    m_DialogButton = Place<TButton>(this, 900, 536, 52, 28, "...");
    m_StatusLabel = Place<TLabel>(this, 8, 574, 944, 20);

    m_DeleteButton->OnClick = [this](TObject*) { m_Model.DeleteSelected(); };
    m_SaveButton->OnClick = [this](TObject*) {
        TFormError error;
        Report(m_Model.Save(m_PathEdit->Text(), error) ? "Saved." : error.Message());
    };
    m_LoadButton->OnClick = [this](TObject*) {
        TFormError error;
        Report(m_Model.Load(m_PathEdit->Text(), error) ? "Loaded." : error.Message());
    };
    m_ComponentList->OnClick = [this](TObject*) { ListClicked(); };
    m_ComponentList->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
        if (Key == VK_DELETE) {
            Key = 0;
            m_Model.DeleteSelected();
        }
    };
    m_Inspector->OnChange = [this](TObject*, TListItem*, TItemChange Change) {
        if (Change == ctState && !m_bShowing)
            ShowValueEditors();
    };
    m_SetButton->OnClick = [this](TObject*) { SetValue(m_ValueEdit->Text()); };
    m_ValueList->OnChange = [this](TObject*) {
        if (m_ValueList->ItemIndex() >= 0)
            SetValue(m_ValueList->Items()[m_ValueList->ItemIndex()]);
    };
    m_DialogButton->OnClick = [this](TObject*) {
        if (auto editor = m_Model.EditorOf(SelectedProperty()))
            editor->Edit();
        ShowModel();
    };
    m_Model.OnChange = [this] { ShowModel(); };
    // A designed component takes no keys: they go to the component list, where Delete deletes
    // what the press selected.
    m_Model.OnDesignPress = [this] { m_ComponentList->SetFocus(); };
    // The controls' windows are made with the form's, all at once.
    HandleNeeded();
    ShowModel();
}

TDesignerWindow::~TDesignerWindow() {
    m_Model.OnChange = nullptr;
    m_Model.OnDesignPress = nullptr;
}

void TDesignerWindow::MakePalette() {
    int x = 8;
    for (const TPalettePage& page : PalettePages())
        for (const TClassInfo* cls : page.Classes) {
            const std::string name(cls->ClassName);
            auto* button = new TPaletteButton(this, LoadPaletteGlyph(name));
            button->SetParent(this);
            button->SetBounds(x, 8, 168, 32);
            button->SetCaption(name);
            button->SetHint(page.Name);
            button->OnClick = [this, cls](TObject*) {
                m_Model.ChoosePaletteClass(cls);
                ShowModel();
            };
            m_PaletteButtons.push_back(button);
            x += 172;
        }
}

std::string TDesignerWindow::Status() const {
    return m_StatusLabel->Caption();
}

void TDesignerWindow::Report(const std::string& Message) {
    m_StatusLabel->SetCaption(Message);
}

// The designed form is a top-level form of its own; made a child of the panel, it shows inside
// this window (and in its pictures) rather than floating beside it.
void TDesignerWindow::HostDesignedForm() {
    TForm* form = m_Model.Form();
    if (form == m_HostedForm)
        return;
    const RECT area = m_FormPanel->ClientRect();
    form->SetBounds(2, 2, area.right - 4, area.bottom - 4);
    HWND window = form->Handle();
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE,
                      (style & ~(WS_POPUP | WS_OVERLAPPEDWINDOW)) | WS_CHILD | WS_CAPTION);
    ::SetParent(window, m_FormPanel->Handle());
    SetWindowPos(window, nullptr, 2, 2, area.right - 4, area.bottom - 4,
                 SWP_NOZORDER | SWP_FRAMECHANGED);
    form->SetVisible(true);
    m_HostedForm = form;
}

void TDesignerWindow::ShowModel() {
    if (m_bShowing)
        return;
    m_bShowing = true;
    HostDesignedForm();
    SetCaption("Varnel designer - " + m_Model.Title());
    // The hint stays while a palette class waits for its place on the form.
    if (const TClassInfo* placing = m_Model.PaletteClass())
        Report("Click on the form to place a " + std::string(placing->ClassName) + ".");
    else if (std::exchange(m_bPlacing, false))
        Report("");
    m_bPlacing = m_Model.PaletteClass() != nullptr;
    ShowComponents();
    ShowInspector();
    m_bShowing = false;
    ShowValueEditors();
}

void TDesignerWindow::ShowComponents() {
    const std::vector<TComponent*> components = m_Model.Components();
    std::vector<std::string> names;
    for (const TComponent* c : components)
        names.push_back(c->Name());
    if (names != m_ComponentList->Items().Strings())
        m_ComponentList->Items().Assign(names);
    HWND list = m_ComponentList->Handle();
    const auto& selection = m_Model.Selection();
    for (size_t i = 0; i < components.size(); ++i) {
        const bool selected =
            std::find(selection.begin(), selection.end(), components[i]) != selection.end();
        SendMessageW(list, LB_SETSEL, selected, static_cast<LPARAM>(i));
    }
}

void TDesignerWindow::ListClicked() {
    HWND list = m_ComponentList->Handle();
    const std::vector<TComponent*> components = m_Model.Components();
    std::vector<TComponent*> chosen;
    for (size_t i = 0; i < components.size(); ++i)
        if (SendMessageW(list, LB_GETSEL, i, 0) > 0)
            chosen.push_back(components[i]);
    m_Model.Select(std::move(chosen));
}

void TDesignerWindow::ShowInspector() {
    const std::string current = SelectedProperty();
    TListItems& items = m_Inspector->Items();
    items.Clear();
    for (const TInspectorRow& row : m_Model.InspectorRows()) {
        TListItem* item = items.Add();
        item->SetCaption(row.Name);
        item->SubItems().Add(row.Value);
        if (row.Name == current)
            m_Inspector->SetSelected(item);
    }
}

std::string TDesignerWindow::SelectedProperty() const {
    const TListItem* item = m_Inspector->Selected();
    return item ? item->Caption() : std::string();
}

void TDesignerWindow::ShowValueEditors() {
    const auto editor = m_Model.EditorOf(SelectedProperty());
    const TPropertyAttributes attributes = editor ? editor->GetAttributes() : paReadOnly;
    const bool list = (attributes & paValueList) != 0;
    const bool typed = editor && !list && !(attributes & paReadOnly);
    m_ValueList->SetVisible(list);
    m_ValueEdit->SetVisible(!list);
    m_ValueEdit->SetEnabled(typed);
    m_SetButton->SetEnabled(typed);
    m_DialogButton->SetEnabled(editor && (attributes & paDialog));
    m_ValueEdit->SetText(editor && !list ? editor->GetValue() : std::string());
    if (list) {
        const std::vector<std::string> values = editor->GetValues();
        m_ValueList->Items().Assign(values);
        const auto at = std::find(values.begin(), values.end(), editor->GetValue());
        m_ValueList->SetItemIndex(at == values.end() ? -1 : static_cast<int>(at - values.begin()));
    }
}

void TDesignerWindow::SetValue(const std::string& Value) {
    const std::string property = SelectedProperty();
    auto editor = m_Model.EditorOf(property);
    if (!editor)
        return;
    if (editor->SetValue(Value))
        Report("");
    else
        Report("\"" + Value + "\" is no value of " + property + ".");
    ShowModel();
}
