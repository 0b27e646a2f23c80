#pragma once
// The real main window on the offscreen platform, shown and active, with the synthesizer routed
// to a recording output so that no test opens a real device.

#include "CheckList.h"
#include "FitLabel.h"
#include "FlowList.h"
#include "Kelvaro01.h"
#include "NativeKeyCodes.h"
#include "RadioGroup.h"
#include "ReadOnlyText.h"
#include "RowList.h"
#include "model/Tables.h"
#include "sound/MidiOutRecording.h"
#include "sound/SynthSm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline std::string Utf8(const QString& S) {
    return S.toStdString();
}
inline std::string Utf8(std::u16string_view S) {
    return QStringView(S.data(), static_cast<qsizetype>(S.size())).toString().toStdString();
}

template <typename Texts> std::vector<std::string> Utf8All(const Texts& List) {
    std::vector<std::string> Out;
    for (const auto& T : List)
        Out.push_back(Utf8(T));
    return Out;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SynthClose();
        SynthUseOutput(&Midi);
        Language = 0;
        Window = std::make_unique<TSystemata>();
        Window->show();
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        Refreshes = std::make_unique<QSignalSpy>(Window.get(), &TSystemata::Refreshed);
    }

    void TearDown() override {
        Refreshes.reset();
        Window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SynthClose();
        SynthUseOutput(nullptr);
        Language = 0;
    }

    template <typename T> T* Find(const char* Name) const {
        auto* W = Window->findChild<T*>(QString::fromLatin1(Name));
        EXPECT_NE(W, nullptr) << Name;
        return W;
    }

    QComboBox* Combo(const char* Name) const { return Find<QComboBox>(Name); }
    TRowList* Rows(const char* Name) const { return Find<TRowList>(Name); }
    TRadioGroup* Group(const char* Name) const { return Find<TRadioGroup>(Name); }

    // A choice the user makes in a drop-down list, as the list reports it.
    void Choose(const char* Name, int Index) const {
        QComboBox* Box = Combo(Name);
        Box->setCurrentIndex(Index);
        emit Box->activated(Index);
    }

    void ChooseEnglish(bool English) const { Group("RGLang")->Button(English ? 1 : 0)->click(); }

    static std::vector<std::string> RowTexts(const TRowList* List) {
        std::vector<std::string> Out;
        for (int i = 0; i < List->count(); ++i)
            Out.push_back(Utf8(List->item(i)->text()));
        return Out;
    }
    std::vector<std::string> RowTexts(const char* Name) const { return RowTexts(Rows(Name)); }

    std::vector<std::string> Lines(const char* Name) const {
        const QString Text = Find<TReadOnlyText>(Name)->toPlainText();
        return Text.isEmpty() ? std::vector<std::string>{} : Utf8All(Text.split(u'\n'));
    }

    std::vector<std::string> Intervals() const {
        auto* List = Find<TFlowList>("LBInt");
        std::vector<std::string> Out;
        for (int i = 0; i < List->count(); ++i)
            Out.push_back(Utf8(List->item(i)->text()));
        return Out;
    }

    std::vector<int> SelectedRows() const {
        std::vector<int> Out;
        for (const char* Name : {"LBQesei", "LBGreek", "LBArab", "LBFusei"})
            Out.push_back(Rows(Name)->ItemIndex());
        return Out;
    }

    RecordingMidiOut Midi;
    std::unique_ptr<TSystemata> Window;
    std::unique_ptr<QSignalSpy> Refreshes;
};
