#pragma once
// Windows are described as data: one entry a control, with its kind (given by the form member
// that receives it), name, parent, position, caption, font, settings and bound handlers.
// BuildForm makes the controls from such a table, owned by the form, and binds the handlers
// to the form's member functions.

#include <memory>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"

namespace tk {

// A font as a description gives it: what is not named comes from the form's font.
struct FontDesc {
  const char* name = nullptr;
  int height = 0;
  bool bold = false;
  bool italic = false;
  long long color = -1;  // -1: the form's
  bool cyrillic = false;
};

template <class FormT>
struct ControlDesc {
  using Slot = std::variant<Edit* FormT::*, Button* FormT::*, Label* FormT::*, CheckBox* FormT::*,
                            RadioGroup* FormT::*, GroupBox* FormT::*, Panel* FormT::*, TrackBar* FormT::*,
                            Image* FormT::*, ListBox* FormT::*, ComboBox* FormT::*>;
  using Notify = void (FormT::*)(Control*);
  using Mouse = void (FormT::*)(Control*, MouseButton, ShiftState, int, int);
  using MouseMove = void (FormT::*)(Control*, ShiftState, int, int);
  using KeyHandler = void (FormT::*)(Control*, Key&, ShiftState);

  // Everything but the placement, given by name: {.text = "New", .onClick = &F::On_New}.
  struct Props {
    const char* text = "";  // caption, or an edit's start text
    FontDesc font = {};
    long long color = -1;  // background; -1: the control kind's default
    int tabOrder = 0;
    bool tabStop = true;
    bool readOnly = false;
    bool flat = false;
    bool enabled = true;
    bool wordWrap = false;
    bool checked = false;
    bool stretch = false;
    std::vector<std::string> items = {};
    int itemIndex = -1;
    int columns = 1;
    int min = 0, max = 10, position = 0, lineSize = 1, pageSize = 2, frequency = 1;
    Notify onClick = nullptr;
    Notify onChange = nullptr;
    Mouse onMouseDown = nullptr;
    MouseMove onMouseMove = nullptr;
    Mouse onMouseUp = nullptr;
    KeyHandler onKeyDown = nullptr;
    KeyHandler onKeyUp = nullptr;
  };

  Slot slot;
  const char* name;
  const char* parent;  // "" for the form itself
  int left, top, width, height;
  Props p = {};
};

// Owns the controls a description made.
class ControlStore {
 public:
  template <class T>
  T* Make(const std::string& name) {
    auto c = std::make_unique<T>(name);
    T* raw = c.get();
    controls_.push_back(std::move(c));
    return raw;
  }
  Control* Find(const std::string& name) const {
    for (const auto& c : controls_)
      if (c->Name == name) return c.get();
    return nullptr;
  }
  const std::vector<std::unique_ptr<Control>>& All() const { return controls_; }
  ~ControlStore() {
    // Children first, so no control outlives the bookkeeping of its parent.
    while (!controls_.empty()) controls_.pop_back();
  }

 private:
  std::vector<std::unique_ptr<Control>> controls_;
};

inline Font ResolveFont(const Font& base, const FontDesc& d) {
  Font f = base;
  if (d.name) f.Name = d.name;
  if (d.height) f.Height = d.height;
  f.Bold = d.bold;
  f.Italic = d.italic;
  if (d.color >= 0) f.Color = static_cast<::tk::Color>(d.color);
  if (d.cyrillic) f.Charset = Charset::Cyrillic;
  return f;
}

template <class FormT>
void BuildForm(FormT& form, ControlStore& store, const std::vector<ControlDesc<FormT>>& table) {
  using D = ControlDesc<FormT>;
  for (const D& d : table) {
    Control* made = nullptr;
    std::visit(
        [&](auto member) {
          using Ptr = std::remove_pointer_t<std::remove_reference_t<decltype(form.*member)>>;
          Ptr* c = store.template Make<Ptr>(d.name);
          form.*member = c;
          made = c;
          if constexpr (std::is_same_v<Ptr, Edit>) {
            c->SetText(d.p.text);
            c->ReadOnly = d.p.readOnly;
            c->Flat = d.p.flat;
            c->Color = clWindow;
          } else if constexpr (std::is_same_v<Ptr, Button> || std::is_same_v<Ptr, Label> ||
                               std::is_same_v<Ptr, GroupBox> || std::is_same_v<Ptr, Panel>) {
            c->Caption = d.p.text;
            if constexpr (std::is_same_v<Ptr, Label>) c->WordWrap = d.p.wordWrap;
          } else if constexpr (std::is_same_v<Ptr, CheckBox>) {
            c->Caption = d.p.text;
            c->SetChecked(d.p.checked);
          } else if constexpr (std::is_same_v<Ptr, RadioGroup>) {
            c->Caption = d.p.text;
            c->Items = d.p.items;
            c->Columns = d.p.columns;
            c->SetItemIndex(d.p.itemIndex);
          } else if constexpr (std::is_same_v<Ptr, TrackBar>) {
            c->Min = d.p.min;
            c->Max = d.p.max;
            c->LineSize = d.p.lineSize;
            c->PageSize = d.p.pageSize;
            c->Frequency = d.p.frequency;
            c->SetPosition(d.p.position);
          } else if constexpr (std::is_same_v<Ptr, ListBox>) {
            c->Items = d.p.items;
            c->Color = clWindow;
          } else if constexpr (std::is_same_v<Ptr, ComboBox>) {
            c->Items = d.p.items;
          } else if constexpr (std::is_same_v<Ptr, Image>) {
            c->SetSize(d.width, d.height);
            c->Stretch = d.p.stretch;
          }
        },
        d.slot);
    Control* parent = *d.parent ? store.Find(d.parent) : static_cast<Control*>(&form);
    made->SetParent(parent ? parent : &form);
    made->Left = d.left;
    made->Top = d.top;
    made->Width = d.width;
    made->Height = d.height;
    // Unless a description names it, a control takes the window's font, not its parent's.
    made->Font = ResolveFont(form.Font, d.p.font);
    if (d.p.color >= 0) made->Color = static_cast<::tk::Color>(d.p.color);
    made->TabOrder = d.p.tabOrder;
    made->TabStop = d.p.tabStop;
    made->Enabled = d.p.enabled;
  }
  // Handlers are bound once every control exists, so that setting start values above raised
  // no program handler.
  for (const D& d : table) {
    Control* c = store.Find(d.name);
    if (d.p.onClick) c->OnClick = [&form, h = d.p.onClick](Control* s) { (form.*h)(s); };
    if (d.p.onChange) {
      auto handler = [&form, h = d.p.onChange](Control* s) { (form.*h)(s); };
      if (auto* e = dynamic_cast<Edit*>(c)) e->OnChange = handler;
      if (auto* t = dynamic_cast<TrackBar*>(c)) t->OnChange = handler;
      if (auto* b = dynamic_cast<ComboBox*>(c)) b->OnChange = handler;
    }
    if (d.p.onMouseDown)
      c->OnMouseDown = [&form, h = d.p.onMouseDown](Control* s, MouseButton b, ShiftState sh, int x, int y) {
        (form.*h)(s, b, sh, x, y);
      };
    if (d.p.onMouseMove)
      c->OnMouseMove = [&form, h = d.p.onMouseMove](Control* s, ShiftState sh, int x, int y) {
        (form.*h)(s, sh, x, y);
      };
    if (d.p.onMouseUp)
      c->OnMouseUp = [&form, h = d.p.onMouseUp](Control* s, MouseButton b, ShiftState sh, int x, int y) {
        (form.*h)(s, b, sh, x, y);
      };
    if (d.p.onKeyDown)
      c->OnKeyDown = [&form, h = d.p.onKeyDown](Control* s, Key& k, ShiftState sh) { (form.*h)(s, k, sh); };
    if (d.p.onKeyUp)
      c->OnKeyUp = [&form, h = d.p.onKeyUp](Control* s, Key& k, ShiftState sh) { (form.*h)(s, k, sh); };
  }
}

}  // namespace tk
