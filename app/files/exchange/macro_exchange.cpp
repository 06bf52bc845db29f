#include "files/exchange/macro_exchange.h"

#include <system_error>
#include <vector>

#include "files/exchange/exchange_format.h"
#include "files/xml_doc.h"
#include "platform/trace.h"
#include "tessel/platform/text.h"

namespace pellora {

namespace {

int IntAttribute(const XmlDoc& xml, const wchar_t* name) {
    return DUI::WToI(xml.GetAttribute(name));
}

}  // namespace

bool ExportMacro(DeviceDatabase& db, const std::filesystem::path& file, int macro,
                 const std::wstring& displayed_name) {
    MacroRecord record;
    MacroStepList steps;
    {
        auto hold = db.Lock();
        db.GetMacro(macro, record);
        db.ListMacroSteps(macro, steps);
    }

    XmlDoc xml;
    xml.SetText(exchange::kDeclaration);
    xml.AppendElement(L"macro");
    xml.EnterElement();
    xml.AppendElement(L"macroinfo");
    xml.SetAttribute(L"macro_name", displayed_name);
    xml.SetAttribute(L"macro_type", record.play_type);
    xml.SetAttribute(L"play_times", record.play_times);
    xml.SetAttribute(L"delay_type", record.delay_type);
    xml.SetAttribute(L"delay_time", record.delay_time);
    xml.AppendElement(L"macroitems");
    xml.EnterElement();
    for (const auto& step : steps) {
        xml.AppendElement(L"item");
        xml.SetAttribute(L"desc", step->desc);
        xml.SetAttribute(L"index", step->position);
        xml.SetAttribute(L"type", step->kind);
        xml.SetAttribute(L"value", step->value);
        xml.SetAttribute(L"timestamp", step->timestamp);
    }
    xml.LeaveElement();
    xml.LeaveElement();
    const bool saved = xml.SaveFile(file);
    if (!saved) {
        Trace(kTraceWarning, "exchange: cannot write macro file %s", file.c_str());
    }
    return saved;
}

MacroImportResult ImportMacro(DeviceDatabase& db, const std::filesystem::path& file) {
    MacroImportResult result;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return result;
    }
    XmlDoc xml;
    if (!xml.LoadFile(file) || !xml.FindNext(L"macro")) {
        return result;
    }
    xml.EnterElement();
    // A file without macroinfo is not a macro file; it would only add a nameless empty macro.
    if (!xml.FindNext(L"macroinfo")) {
        return result;
    }
    MacroRecord record;
    record.name = xml.GetAttribute(L"macro_name");
    record.play_type = IntAttribute(xml, L"macro_type");
    record.play_times = IntAttribute(xml, L"play_times");
    record.delay_type = IntAttribute(xml, L"delay_type");
    record.delay_time = IntAttribute(xml, L"delay_time");

    std::vector<MacroStep> steps;
    if (xml.FindNext(L"macroitems")) {
        xml.EnterElement();
        while (xml.FindNext(L"item")) {
            MacroStep step;
            step.desc = xml.GetAttribute(L"desc");
            step.position = IntAttribute(xml, L"index");
            step.kind = IntAttribute(xml, L"type");
            step.value = IntAttribute(xml, L"value");
            step.timestamp = IntAttribute(xml, L"timestamp");
            steps.push_back(std::move(step));
        }
        xml.LeaveElement();
    }

    // The macro and its steps are stored together or not at all: a macro that plays only
    // half of what was recorded is worse than none.
    auto hold = db.Lock();
    SQLiteAutoTransaction transaction(&db);
    if (!transaction.Begin()) {
        return result;
    }
    const int id = db.AddMacroRecord(record);
    bool ok = id > 0;
    for (MacroStep& step : steps) {
        if (!ok) {
            break;
        }
        step.macro = id;
        ok = db.AddMacroStep(step) > 0;
    }
    if (!ok || !transaction.End()) {
        transaction.Rollback();
        Trace(kTraceError, "exchange: macro from %s could not be stored", file.c_str());
        return result;
    }
    result.macro_id = id;
    result.name = record.name;
    return result;
}

}  // namespace pellora
