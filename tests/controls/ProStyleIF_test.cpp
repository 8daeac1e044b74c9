#include "controls/ProStyleIF.h"
#include "controls/ProStyleIFComboBoxX.h"
#include "controls/ProStyleIFSystem.h"
#include "controls/ThemeNotifier.h"
#include "platform/ui/Application.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string Office11 = "Software\\Microsoft\\Office\\11.0\\Common\\General";
const std::string Office12 = "Software\\Microsoft\\Office\\12.0\\Common\\General";
const std::string Office14 = "Software\\Microsoft\\Office\\14.0\\Common\\General";
const std::string Common12 = "Software\\Microsoft\\Office\\12.0\\Common";
const std::string Common14 = "Software\\Microsoft\\Office\\14.0\\Common";

// A system as a test describes it; unset parts answer as the platform does.
class TFakeSystem : public TStyleSystem {
public:
  bool KernelExports(const std::string& function) const override {
    return Vista && TStyleSystem::KernelExports(function);
  }
  int OSMajorVersion() const override { return Major; }
  int OSMinorVersion() const override { return Minor; }
  int ComCtlMajorVersion() const override { return ComCtl; }
  bool ThemeLibraryPresent() const override { return Library; }
  bool ThemeActive() const override { return Active; }
  std::string ThemeColorScheme() const override { return Scheme; }
  bool RegistryKeyExists(const std::string& key) const override { return Keys.count(key) > 0; }
  std::optional<int> RegistryInteger(const std::string& key, const std::string& value) const override {
    auto it = Values.find({key, value});
    if (it == Values.end()) return std::nullopt;
    return it->second;
  }

  bool Vista = true;
  int Major = 10, Minor = 0, ComCtl = 6;
  bool Library = true, Active = true;
  std::string Scheme = "NormalColor";
  std::set<std::string> Keys;
  std::map<std::pair<std::string, std::string>, int> Values;

  void Theme(const std::string& key, int value) {
    Keys.insert(key);
    Values[{key, "Theme"}] = value;
  }
};

// A window that records the messages it is sent.
class TRecordingWindow : public TWinControl {
public:
  TRecordingWindow(TComponent* owner, std::vector<std::string>* log, const char* name)
      : TWinControl(owner), Log(log), Name(name) {}
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_OFFICETHEMECHANGE) {
      Log->push_back(Name);
      Root = Message.WParam;
      Key = reinterpret_cast<const char*>(Message.LParam);
    }
    TWinControl::WndProc(Message);
  }
  std::vector<std::string>* Log;
  std::string Name;
  WPARAM Root = 0;
  std::string Key;
};

class ProStyleIF : public ::testing::Test {
protected:
  void SetUp() override { Application->Initialize(); }
};

} // namespace

TEST_F(ProStyleIF, ThisPlatformAnswersAsACurrentSystemWithoutOffice) {
  EXPECT_TRUE(RunsOnVistaOrLater());
  EXPECT_TRUE(RunsOnXPOrLater());
  EXPECT_TRUE(IsComCtl6());
  EXPECT_TRUE(IsThemeActive());
  EXPECT_TRUE(InitThemeLibrary());
  EXPECT_EQ(DetectXPColorScheme(), 1);
  EXPECT_EQ(DetectOfficeVersion(), 0);
  EXPECT_EQ(DetectOfficeTheme(), ot2003Blue);
  EXPECT_EQ(DefaultUIFontName(), "Segoe UI");
}

// The probes' edge cases; the notifier's are in NotifierEdgeCases.
TEST_F(ProStyleIF, ProbeEdgeCases) {
  struct TCase {
    const char* Name;
    std::function<void(TFakeSystem&)> Setup;
    int OfficeVersion;
    TOfficeTheme Theme;
    int Scheme = 1;
    const char* Font = "Segoe UI";
  };
  const TCase cases[] = {
      {"no office keys", [](TFakeSystem&) {}, 0, ot2003Blue},
      {"only version 11 counts as none", [](TFakeSystem& s) { s.Keys = {Office11}; }, 0, ot2003Blue},
      {"versions 12 and 14 give 2",
       [](TFakeSystem& s) {
         s.Keys = {Office12, Office14};
       },
       2, ot2003Blue},
      {"version 12 gives 1",
       [](TFakeSystem& s) {
         s.Keys = {Office11, Office12};
       },
       1, ot2003Blue},
      {"theme 1 of 2010", [](TFakeSystem& s) { s.Theme(Common14, 1); }, 0, ot2010Blue},
      {"theme 3 of 2010", [](TFakeSystem& s) { s.Theme(Common14, 3); }, 0, ot2010Black},
      {"theme 4 of 2010 is 2003 blue without asking 2007",
       [](TFakeSystem& s) {
         s.Theme(Common14, 4);
         s.Theme(Common12, 3);
       },
       0, ot2003Blue},
      {"a 2010 key without a theme value goes on to 2007",
       [](TFakeSystem& s) {
         s.Keys.insert(Common14);
         s.Theme(Common12, 2);
       },
       0, ot2007Silver},
      {"theme 0 of 2007 is 2003 blue", [](TFakeSystem& s) { s.Theme(Common12, 0); }, 0, ot2003Blue},
      {"scheme HomeStead is 2003 olive", [](TFakeSystem& s) { s.Scheme = "HomeStead"; }, 0, ot2003Olive, 2},
      {"scheme Metallic is 2003 silver", [](TFakeSystem& s) { s.Scheme = "Metallic"; }, 0, ot2003Silver, 3},
      {"an unknown scheme is classic", [](TFakeSystem& s) { s.Scheme = "Aero"; }, 0, ot2003Classic, 0},
      {"no active theme is classic", [](TFakeSystem& s) { s.Active = false; }, 0, ot2003Classic, 0},
      {"no style library is classic", [](TFakeSystem& s) { s.Library = false; }, 0, ot2003Classic, 0},
      {"common controls 5 is classic", [](TFakeSystem& s) { s.ComCtl = 5; }, 0, ot2003Classic, 0},
      {"before XP (5.0) is classic",
       [](TFakeSystem& s) {
         s.Major = 5;
         s.Minor = 0;
       },
       0, ot2003Classic, 0},
      {"XP (5.1) reads the scheme",
       [](TFakeSystem& s) {
         s.Major = 5;
         s.Minor = 1;
       },
       0, ot2003Blue, 1},
      {"a kernel without GetLocaleInfoEx is before Vista: Tahoma",
       [](TFakeSystem& s) {
         s.Vista = false;
         s.Major = 5;
         s.Minor = 1;
       },
       0, ot2003Blue, 1, "Tahoma"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeSystem system;
    c.Setup(system);
    TScopedStyleSystem scoped(system);
    EXPECT_EQ(DetectOfficeVersion(), c.OfficeVersion);
    EXPECT_EQ(DetectOfficeTheme(), c.Theme);
    EXPECT_EQ(DetectXPColorScheme(), c.Scheme);
    EXPECT_EQ(DefaultUIFontName(), c.Font);
    EXPECT_EQ(RunsOnVistaOrLater(), system.Vista);
    EXPECT_EQ(InitThemeLibrary(), system.Library)
        << "the theme functions are bound when the library is there";
  }
}

// The records are laid out as stored: five tones of brush, border and text colour, in order.
TEST_F(ProStyleIF, TypesAndInterfaces) {
  static_assert(sizeof(TColorTone) == 12 && sizeof(TColorTones) == 60);
  static_assert(offsetof(TColorTone, BorderColor) == 4 && offsetof(TColorTone, TextColor) == 8);
  static_assert(offsetof(TColorTones, Foreground) == 12 && offsetof(TColorTones, Selected) == 24 &&
                offsetof(TColorTones, Hover) == 36 && offsetof(TColorTones, Disabled) == 48);
  static_assert(tsOffice2003Blue == 0 && tsCustom == 8 && tsTerminal == 12 && tsOffice2010Black == 15);
  static_assert(ot2007Blue == 4 && ot2010Black == 9 && otUnknown == 10);
  EXPECT_STREQ(IZUZStyle::IID, "{11AC2DDC-C087-4298-AB6E-EA1B5017511B}");
  EXPECT_STREQ(IZUZTones::IID, "{1F492643-6699-4F25-8B34-3233FA735036}");

  struct TStyled : TComponent, IZUZStyle, IZUZTones {
    TStyled() : TComponent(nullptr) {}
    void SetComponentStyle(TZUZStyle AStyle) override { Style = AStyle; }
    void SetColorTones(const TColorTones& ATones) override { Tones = ATones; }
    TZUZStyle Style = tsCustom;
    TColorTones Tones;
  } styled;
  TComponent* component = &styled;
  TColorTones tones;
  tones.Hover.BrushColor = clRed;
  dynamic_cast<IZUZStyle*>(component)->SetComponentStyle(tsWindows7);
  dynamic_cast<IZUZTones*>(component)->SetColorTones(tones);
  EXPECT_EQ(styled.Style, tsWindows7);
  EXPECT_EQ(styled.Tones, tones);
  TComponent plain(nullptr);
  component = &plain;
  EXPECT_EQ(dynamic_cast<IZUZStyle*>(component), nullptr);
}

TEST_F(ProStyleIF, HandleListKeepsOrderAndRemovesFirstOccurrence) {
  TWinControl a(nullptr), b(nullptr), c(nullptr);
  THandleList list;
  EXPECT_EQ(list.Add(&a), 0);
  EXPECT_EQ(list.Add(&b), 1);
  list.Insert(0, &c);
  list.Add(&a);
  list.Delete(7);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Items(0), &c);
  EXPECT_EQ(list.Items(9), nullptr);
  list.DeleteValue(&a);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Items(1), &b);
  EXPECT_EQ(list.Items(2), &a);
  list.DeleteValue(&a);
  list.DeleteValue(&a);
  EXPECT_FALSE(list.HasValue(&a));
  list.SetItems(0, &a);
  EXPECT_TRUE(list.HasValue(&a));
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(ProStyleIF, NotifierEdgeCases) {
  std::vector<std::string> log;
  struct TCase {
    const char* Name;
    std::function<void()> Check;
  };
  const TCase cases[] = {
      {"without office keys there is neither window nor monitor, and registering does nothing",
       [&] {
         TWinControl owner(nullptr);
         TRecordingWindow w(nullptr, &log, "w");
         TThemeNotifier notifier(&owner);
         EXPECT_EQ(notifier.Notifier(), nullptr);
         EXPECT_EQ(notifier.RegMonitorThread(), nullptr);
         notifier.RegisterWindow(&w);
         notifier.UnRegisterWindow(&w);
         EXPECT_EQ(owner.ControlCount(), 0);
       }},
      {"with version 12 the monitor watches its key and the window is hidden in the owner",
       [&] {
         TFakeSystem system;
         system.Keys = {Office12, Common12};
         TScopedStyleSystem scoped(system);
         TWinControl owner(nullptr);
         TThemeNotifier notifier(&owner);
         ASSERT_NE(notifier.RegMonitorThread(), nullptr);
         const TRegMonitorThread& m = *notifier.RegMonitorThread();
         EXPECT_EQ(m.Key(), Common12);
         EXPECT_EQ(m.Filter(), 4);
         EXPECT_TRUE(m.WatchSub());
         EXPECT_EQ(m.RootKey(), HKEY_CURRENT_USER);
         EXPECT_TRUE(m.Watching());
         ASSERT_NE(notifier.Notifier(), nullptr);
         EXPECT_EQ(m.Wnd(), notifier.Notifier());
         EXPECT_EQ(notifier.Notifier()->Parent(), &owner);
         EXPECT_FALSE(notifier.Notifier()->Visible());
       }},
      {"a change goes to the notifier's window first, then to the windows in order, once each",
       [&] {
         TFakeSystem system;
         system.Keys = {Office14, Common14};
         TScopedStyleSystem scoped(system);
         TWinControl owner(nullptr);
         TRecordingWindow a(nullptr, &log, "a"), b(nullptr, &log, "b"), stranger(nullptr, &log, "x");
         TThemeNotifier notifier(&owner);
         std::vector<TObject*> senders;
         notifier.OnOfficeThemeChange = [&](TObject* sender) {
           senders.push_back(sender);
           log.push_back("notifier");
         };
         log.clear();
         notifier.RegisterWindow(&b);
         notifier.RegisterWindow(&a);
         notifier.RegisterWindow(&b);
         notifier.UnRegisterWindow(&stranger);
         EXPECT_EQ(notifier.RegMonitorThread()->WinList().Count(), 2);
         notifier.RegMonitorThread()->KeyChanged();
         EXPECT_EQ(log, (std::vector<std::string>{"notifier", "b", "a"}));
         EXPECT_EQ(senders, std::vector<TObject*>{&notifier});
         EXPECT_EQ(a.Root, HKEY_CURRENT_USER);
         EXPECT_EQ(a.Key, Common14);
         notifier.UnRegisterWindow(&b);
         log.clear();
         notifier.RegMonitorThread()->KeyChanged();
         EXPECT_EQ(log, (std::vector<std::string>{"notifier", "a"}));
         notifier.RegMonitorThread()->Stop();
         log.clear();
         notifier.RegMonitorThread()->KeyChanged();
         EXPECT_TRUE(log.empty());
       }},
      {"a key that cannot be opened ends the monitor; no change is passed on",
       [&] {
         TFakeSystem system;
         system.Keys = {Office14};
         TScopedStyleSystem scoped(system);
         TWinControl owner(nullptr);
         TRecordingWindow a(nullptr, &log, "a");
         TThemeNotifier notifier(&owner);
         notifier.RegisterWindow(&a);
         TRegMonitorThread& m = *notifier.RegMonitorThread();
         EXPECT_EQ(m.Error(), "Unable to open registry key Software\\Microsoft\\Office\\14.0\\Common");
         log.clear();
         m.KeyChanged();
         EXPECT_TRUE(log.empty());
       }},
      {"a window destroyed while registered leaves the list; one unregistering another is skipped",
       [&] {
         TFakeSystem system;
         system.Keys = {Office12, Common12};
         TScopedStyleSystem scoped(system);
         TWinControl owner(nullptr);
         TThemeNotifier notifier(&owner);
         auto* gone = new TRecordingWindow(nullptr, &log, "gone");
         TRecordingWindow first(nullptr, &log, "first"), last(nullptr, &log, "last");
         notifier.RegisterWindow(gone);
         notifier.RegisterWindow(&first);
         notifier.RegisterWindow(&last);
         gone->Free();
         EXPECT_EQ(notifier.RegMonitorThread()->WinList().Count(), 2);
         notifier.OnOfficeThemeChange = [&](TObject*) { notifier.UnRegisterWindow(&last); };
         log.clear();
         notifier.RegMonitorThread()->KeyChanged();
         EXPECT_EQ(log, std::vector<std::string>{"first"});
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Check();
  }
}

// One notifier at a time, made on demand and forgotten with its owner.
TEST_F(ProStyleIF, NotifierInstanceIsSharedUntilItsOwnerGoes) {
  auto* caller = new TWinControl(nullptr);
  TThemeNotifier* first = ThemeNotifierInstance(caller);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(ThemeNotifierInstance(caller), first);
  TComponent* expectedOwner =
      Application->MainForm() ? static_cast<TComponent*>(Application->MainForm()) : caller;
  EXPECT_EQ(first->Owner(), expectedOwner);
  if (expectedOwner != caller) return; // a main form owns it for the program's life
  caller->Free();
  auto* other = new TWinControl(nullptr);
  TThemeNotifier* second = ThemeNotifierInstance(other);
  EXPECT_EQ(second->Owner(), other);
  other->Free();
}

TEST_F(ProStyleIF, ComboBoxImagesHaveTheirSizes) {
  const auto& images = ComboBoxXImages();
  for (int i = cbxEdit; i <= cbxDown; ++i) {
    EXPECT_EQ(images[i].Width(), 13) << i;
    EXPECT_EQ(images[i].Height(), 11) << i;
  }
  EXPECT_EQ(images[cbxPins].Width(), 52);
  EXPECT_EQ(images[cbxPins].Height(), 11);
}
