// The framework layer's window-free parts: command routing, 16-bit integer
// input and file filters.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "framework/cmdtarget.h"
#include "framework/ddx.h"
#include "framework/filedialog.h"
#include "framework/resstrings.h"
#include "resource.h"

namespace {

struct Target : CCmdTarget {
    int runs = 0;
    bool enabled = true;
    bool checked = false;
    void Handle(int id, bool withUpdate)
    {
        if (withUpdate)
            AddCommand(id, [this] { ++runs; }, [this](CCmdUI* ui) {
                ui->Enable(enabled);
                ui->SetCheck(checked);
            });
        else
            AddCommand(id, [this] { ++runs; });
    }
};

TEST(CommandRouting, FirstTargetThatHandlesTheIdRunsIt)
{
    Target view, doc;
    view.Handle(ID_VIEW_EDGES, false);
    doc.Handle(ID_VIEW_EDGES, false);
    doc.Handle(ID_FIND_CYCLE, false);
    EXPECT_TRUE(app::RouteCommand({&view, &doc}, ID_VIEW_EDGES));
    EXPECT_TRUE(app::RouteCommand({&view, &doc}, ID_FIND_CYCLE));
    EXPECT_EQ(view.runs, 1);
    EXPECT_EQ(doc.runs, 1);
}

TEST(CommandRouting, UnhandledCommandsAreDisabledAndDoNothing)
{
    Target view;
    const CCmdUI ui = app::UpdateCommand({&view, nullptr}, ID_VIEW_LOG);
    EXPECT_FALSE(ui.m_bEnabled);
    EXPECT_FALSE(ui.m_bHandled);
    EXPECT_FALSE(app::RouteCommand({&view}, ID_VIEW_LOG));
}

TEST(CommandRouting, HandlerWithoutUpdateIsEnabled)
{
    Target t;
    t.Handle(ID_REARRANGE_CYCLE, false);
    const CCmdUI ui = app::UpdateCommand({&t}, ID_REARRANGE_CYCLE);
    EXPECT_TRUE(ui.m_bEnabled);
    EXPECT_FALSE(ui.m_bCheckable);
}

TEST(CommandRouting, UpdateHandlerDisablesAndChecks)
{
    Target t;
    t.Handle(ID_DELETE_NODE, true);
    t.enabled = false;
    t.checked = true;
    const CCmdUI ui = app::UpdateCommand({&t}, ID_DELETE_NODE);
    EXPECT_FALSE(ui.m_bEnabled);
    EXPECT_TRUE(ui.m_bCheckable);
    EXPECT_TRUE(ui.m_bChecked);
    // A disabled command does not run, even when sent directly.
    EXPECT_FALSE(app::RouteCommand({&t}, ID_DELETE_NODE));
    EXPECT_EQ(t.runs, 0);
}

TEST(ParseShort, AcceptsBlanksSignAndDigitsWithin16Bits)
{
    EXPECT_EQ(app::ParseShort("8"), 8);
    EXPECT_EQ(app::ParseShort("  -12 "), -12);
    EXPECT_EQ(app::ParseShort("+3"), 3);
    EXPECT_EQ(app::ParseShort("32767"), 32767);
    EXPECT_EQ(app::ParseShort("-32768"), -32768);
}

TEST(ParseShort, RefusesWhatIsNotA16BitInteger)
{
    EXPECT_FALSE(app::ParseShort(""));
    EXPECT_FALSE(app::ParseShort("-"));
    EXPECT_FALSE(app::ParseShort("12a"));
    EXPECT_FALSE(app::ParseShort("1 2"));
    EXPECT_FALSE(app::ParseShort("32768"));
    EXPECT_FALSE(app::ParseShort("-32769"));
    EXPECT_FALSE(app::ParseShort("99999999999999999999"));
    EXPECT_FALSE(app::ParseShort(QString::fromUtf8("\u0663")));   // an Arabic-Indic three
}

TEST(FileFilter, PairsBecomeQtNameFilters)
{
    EXPECT_EQ(app::ConvertFileFilter("Tour files(*.tou)|*.tou|All files (*.*)|*.*||"),
              (QStringList{"Tour files (*.tou)", "All files (*.*)"}));
    EXPECT_EQ(app::ConvertFileFilter("Tourvane Files (*.hcp)|*.hcp|All Files (*.*)|*.*||"),
              (QStringList{"Tourvane Files (*.hcp)", "All Files (*.*)"}));
}

TEST(Strings, PromptsAndTipsOfTheProgramsCommands)
{
    EXPECT_EQ(app::CommandPrompt(ID_VIEW_EDGES), "View edges");
    EXPECT_EQ(app::CommandTip(ID_FIND_MIN_CYCLE), "Find minimal cycle");
    EXPECT_EQ(app::CommandPrompt(ID_FIND_CYCLE), "Find Hamiltonian cycle");
    EXPECT_EQ(app::LoadResString(IDS_LABEL_FONT), "Times New Roman");
    EXPECT_EQ(app::LoadResString(IDR_TOURVTYPE).split('\n').value(4), ".hcp");
    EXPECT_TRUE(app::LoadResString(12345).isEmpty());
}

}  // namespace
