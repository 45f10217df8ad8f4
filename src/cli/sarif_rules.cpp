#include "varko/cli/sarif_rules.h"

#include <array>

namespace varko::cli {

namespace {

// A new code gets a row here; the test of this table fails for a known code without one.
constexpr std::array kRules{
    SarifRule{"M1", "UnknownCommand", "Error - Unknown command: line",
              "The property is not declared in declarations.txt, the line does not follow name = value, or "
              "an ODF reference has no value.",
              "Check the spelling of the name (the object browser lists the known ones); write one blank on "
              "each side of =; give the reference a file name. If the game knows the property, declare it in "
              "declarations.txt."},
    SarifRule{"M2", "PropertyRepeated", "Error - property name specified more than once!",
              "The name already appeared on an earlier line of the file (case does not matter).",
              "Delete one of the two lines, or give a numbered property its next number."},
    SarifRule{"M3", "OdfFileNotFound", "Error - File not found: file.odf",
              "An odf property names an ODF file that is neither in the addon directory nor in "
              "ignorefiles.txt.",
              "Correct the name (without .odf), add the file to the addon directory, or list a built-in file "
              "in ignorefiles.txt."},
    SarifRule{"M4", "IncludedFileNotFound", "Error - File not found: file",
              "An include line names a file that is not there.",
              "Correct the name (with its extension); check the addon directory in the preferences."},
    SarifRule{"M5", "OdfFileNameNotFound", "Error - File not found: file",
              "An odfn property names a file that is not there.",
              "Correct the name (with its extension); check the addon directory in the preferences."},
    SarifRule{"M6", "ModelNotFound", "Error - File not found: file.sod",
              "A sod property names a model that is not in the SOD directory.",
              "Correct the model name (without .sod) or copy the model into the SOD directory."},
    SarifRule{"M7", "NotABoolean",
              "Error - Property 'name' is a boolean type. Its value needs to be either 0 or 1",
              "A bool property has another value.", "Write 0 or 1; words like true are not read."},
    SarifRule{"M8", "NotAnInteger", "Error - Property 'name' is an integer. 'value' is not a valid integer",
              "An int property has no whole number.",
              "Write a whole number such as 800 or -3, or hexadecimal as $1F or 0x1F; no fraction, no unit."},
    SarifRule{"M9", "NotAReal", "Error - Property 'name' is a real. 'value' is not a valid real",
              "A real property has no number.",
              "Write a number such as 12, 1.5 or 1.5f, with a dot, not a comma."},
    SarifRule{"M10", "StringNotQuoted",
              "Error - Property 'name' is a string. Quotation marks \"\" are needed",
              "A string property does not start with a double quote.",
              "Put the text in double quotes: unitName = \"Hawk Scout\"."},
    SarifRule{"M11", "EndingQuoteMissing", "Error - Ending quotation marks are missing",
              "A one-word text in quotes has no closing quote.", "Add the closing \"."},
    SarifRule{"M12", "ModelFileNotFound", "Error - File not found: file",
              "An unquoted sodn property names a file that is not in the SOD directory.",
              "Correct the name (with its extension), or quote the value if it is text; check the SOD "
              "directory in the preferences."},
    SarifRule{"M13", "ExtraWordAfterValue",
              "Error - Unknown specifications 'word' found at the end of the value. Please remove or comment "
              "it \"//\"",
              "Another word follows the value of a checked property.",
              "Delete the word, or turn it into a comment by putting // before it."},
    SarifRule{
        "T1", "CommentInTechTree",
        "Error - Comments are not allowed in tt files. They may cause the game to freeze during loading.",
        "A line starts with //.", "Delete the comment line; keep notes in another file."},
    SarifRule{"T2", "RequirementsMissing", "Error - There is k requirement(s) missing.",
              "The entry names fewer requirement files than its count says.",
              "Add the missing files or lower the count."},
    SarifRule{"T3", "TooManyRequirements", "Error - too much requirements.",
              "The entry names more requirement files than its count says; the extra ones are not checked.",
              "Raise the count or delete the extra files."},
    SarifRule{"T4", "TechTreeFileNotFound", "ODF file \"file\" not found.",
              "A file of the entry is neither in the addon directory nor in ignorefiles.txt.",
              "Correct the name (with .odf), add the file, or list it in ignorefiles.txt."},
    SarifRule{"T5", "FileNameTooLong",
              "Error - Filename file is too long. ODF filenames in TT documents have a 8.3 character length "
              "limit.",
              "The name has more than 12 characters with its extension.",
              "Rename the ODF file to at most 8 characters before .odf, and the entries that name it."},
    SarifRule{"T6", "MalformedEntry",
              "Error - There are errors on this line. Please remove anything other than Tech file entries.",
              "The entry is malformed: no count, a count that is not a whole number, or fewer files than the "
              "count.",
              "Write the entry as object.odf count file1.odf file2.odf ...."},
    SarifRule{"X1", "TechTreeCycle", "Error - Tech tree cycle: a.odf -> b.odf -> a.odf",
              "Objects of the tech tree require each other in a circle, so none of them can ever be built; "
              "reported on the circle's first entry.",
              "Remove one requirement of the circle, so that one of its objects needs none of the others."},
    SarifRule{"X2", "ObjectListedTwice",
              "Error - Object file is listed more than once in this tech tree; its first entry is on line n",
              "An object has a second entry; only its first entry counts.",
              "Merge the entries into the first one and delete the later ones."},
    SarifRule{"X3", "IncludeCycle", "Error - Include cycle: a.odf -> b.odf -> a.odf",
              "An include line brings in a file whose includes lead back to a file already in the chain.",
              "Remove the include that closes the circle; share the common properties through a file that "
              "includes nothing of the chain."},
    SarifRule{"X4", "ConflictingIncludedValues",
              "Warning - Property 'name' is set to different values in a.odf (line n) and b.odf (line m); "
              "the value depends on the order of the includes",
              "Two included files, neither of which includes the other, set the property to different "
              "values, and the document does not set it itself.",
              "Set the property in the document, which overrides its includes, or make the included "
              "files agree."},
    SarifRule{"U1", "UnusedFile", "Note - Not used by any tech tree, include or file name",
              "No tech-tree entry, include line, odf or odfn value of another file of the mod names this ODF "
              "file of the addon directory, so the game never loads it.",
              "Delete the file if it is left over, or name it where it is meant to be used: in the tech "
              "tree, in an include line, or in a property of the object that uses it."},
};

} // namespace

std::span<const SarifRule> SarifRules() {
    return kRules;
}

std::optional<std::size_t> SarifRuleIndex(std::string_view code) {
    for (std::size_t i = 0; i < kRules.size(); ++i) {
        if (kRules[i].code == code)
            return i;
    }
    return std::nullopt;
}

} // namespace varko::cli
