// TForm1: the main window. It owns the workspace, carries the only menu,
// creates the other windows once and starts every command.
#pragma once

#include <QMainWindow>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "input/sample_groups.h"
#include "ui/dialogs.h"
#include "ui/report_saving.h"

class QAction;
class QDialog;
class QLabel;
class QMenu;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class PopulationStatsWindow;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The open dialogs' filters: OpenDialog1 for reference files, OpenDialog2
    // for aligned files, OpenDialog3 for polymorphism lists.
    static const char* const OpenDialog1Filter;
    static const char* const OpenDialog2Filter;
    static const char* const OpenDialog3Filter;

    explicit TForm1(corvella::Dialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    corvella::Workspace& workspace() { return workspace_; }
    corvella::Dialogs& dialogs() { return dialogs_; }
    TForm6& progress() { return *Form6; }

    // The open dialogs: the chosen path, or nothing when cancelled.
    std::optional<std::string> OpenDialog1();
    std::optional<std::string> OpenDialog2();
    std::optional<std::string> OpenDialog3();
    // OpenDialog3 taking several files: one cohort of files of one kind.
    std::vector<std::string> OpenDialog3Files();

    // "Open Polymorphism File..." once its files are chosen (one, several, or
    // a file listing them); the command line opens its files here too.
    void open_polymorphism_files(std::vector<std::string> paths);
    // The open dialog of "Import Unaligned File...".
    std::optional<std::string> OpenDialog4();
    static const char* const OpenDialog4Filter;

    // Menu enabling after a reference file other than the built-in one was
    // read: reference commands on, counting commands off, mark off.
    void on_other_reference_loaded();
    // Menu enabling after a polymorphism list was read: "Protein" and
    // "Non-Protein" on; the two structure commands only with the human mark.
    void on_polymorphism_list_read();

    // Places Image1, Image2 and Label2 from the window's outer width and
    // client height; runs on every resize.
    void relocateImage();

    // Shows a window modally and returns when it closes. Tests replace it.
    std::function<void(QDialog&)> show_modal;

    QMenu* Polymorphisms2;
    QAction* ImportAlignedFiles1;
    QAction* ImportUnalignedFile1;  // needs a loaded reference: it aligns to it
    QAction* ExportToNetworkFile1;
    QAction* OpenSampleGroups1;  // the samples' groups for the population statistics
    QMenu* Classification1;
    QMenu* Reference1;
    QAction* HumanReference1;
    QAction* OpenOtherReferenceFile1;
    QAction* CheckPosition1;
    QMenu* CheckDatabase1;
    QAction* OpenPolymorphismsFile1;
    QAction* Protein1;
    QAction* NonProtein1;
    QAction* tRNAshumanonly1;
    QAction* rRNAshumanonly1;
    QAction* VariantTable1;
    QAction* GenomeMap1;
    QAction* GeneTable1;
    QAction* PopulationStatistics1;
    QAction* About1;
    QAction* Exit1;

    QLabel* Image1;  // DNA double helix, 88 x 609
    QLabel* Image2;  // banner, 283 x 53
    QLabel* Label2;  // "Corvella ver1.0"
    // What is loaded: the reference, and the list with its samples and
    // distinct variants; rewritten by every read.
    QLabel* LoadedLabel;

    TForm2* Form2;
    TForm3* Form3;
    TForm4* Form4;
    TForm5* Form5;
    TForm6* Form6;
    TForm7* Form7;
    TForm8* Form8;
    TForm9* Form9;
    TForm10* Form10;
    PopulationStatsWindow* StatsWindow;

public slots:
    void ImportAlignedFiles1Click();
    void ImportUnalignedFile1Click();  // in unaligned_import.cpp
    void ExportToNetworkFile1Click();
    void HumanReference1Click();
    void OpenOtherReferenceFile1Click();
    void CheckPosition1Click();
    void OpenPolymorphismsFile1Click();
    void Protein1Click();
    void NonProtein1Click();
    void tRNAshumanonly1Click();
    void rRNAshumanonly1Click();
    // Save the variant table and the gene table of the list read last.
    void VariantTable1Click();
    void GenomeMap1Click();
    void GeneTable1Click();
    // A groups file read for the population statistics; the window of
    // statistics per region and group (in population_stats_commands.cpp).
    void OpenSampleGroups1Click();
    void PopulationStatistics1Click();
    void About1Click();
    void Exit2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_menu();
    void build_pictures();
    // Connects a menu item to a handler run through the error guard.
    void connect_command(QAction* action, void (TForm1::*handler)());
    // A reference was loaded: its commands on, the counting commands off
    // until a polymorphism list is read again.
    void enable_reference_commands();
    void set_reference_commands_enabled(bool enabled);
    // The counting windows' summary label and the main window's list line
    // after a read of `entries` entries from `path` (a list read or a
    // network reading: both replace the sample lists and the tally).
    void show_list_read(const std::string& path, int32_t entries, const char* variants_word);
    void show_loaded();
    // The list line back to "none" once the counting commands are off.
    void forget_list();

    std::string reference_line_;  // "Reference: ..." as shown
    std::string list_line_;       // "Polymorphism list: ..." as shown

    corvella::Workspace workspace_;
    corvella::Dialogs& dialogs_;
    // The minimum level and filter choice of the last VCF read, offered again.
    corvella::VcfChoice vcf_choice_;
    corvella::SaveDialogState VariantTableSave;
    corvella::SaveDialogState GeneTableSave;
    // The groups file last read, matched to the cohort when the statistics open.
    corvella::GroupFileRead groups_file_;
    std::string groups_path_;
};
