#include "mp3/property_rows.h"

#include "common/decimal.h"
#include "common/size_kb.h"

namespace kz {

std::string DurationText(const Mp3Info& info) {
  return FormatTimestamp("%ii:%ss", info.durationMs / 1000);
}

std::array<std::string, 5> PropertyRows(const Mp3Info& info, std::string_view durationText,
                                        Timestamp created) {
  return {
      "Dauer\n" + std::string(durationText) + " Min",
      "Bitrate\n" + IntToDecimal(info.bitRate / 1000) + " kBit/s",
      "Frequenz\n" + IntToDecimal(info.frequency) + " Hz",
      "Grösse\n" + IntToDecimal(SizeInKB(info.fileSize)) + " KB",
      "Datei erstellt am\n" + FormatTimestamp("%mm.%dd.%yyyy", created),
  };
}

}  // namespace kz
