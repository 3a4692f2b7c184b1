#pragma once
// Texts the picture windows show.

#include <string>

namespace vexa::picture {

inline constexpr const char* kOpenPictureTitle = "Открыть картинку";
inline constexpr const char* kOpenErrorText = "Ошибка открытия файла!";
inline constexpr const char* kSpotDiameterResetText =
    "Неверное значение диаметра пятна, будет установлено значение по умолчанию";

// Texts of our own for what the system did not check.
inline constexpr const char* kTargetWidthResetText =
    "Неверное значение ширины, будет установлено значение по умолчанию";
inline constexpr const char* kTargetHeightResetText =
    "Неверное значение высоты, она будет вычислена по ширине";
inline constexpr const char* kFitNumbersText =
    "Неверное значение ширины или диаметра пятна, картинка не подогнана.";

inline std::string MissingFileText(const std::string& path) {
  return "Файл " + path + " не найден!\r\nВыберите другой файл!";
}

inline std::string DepthRefusalText(const std::string& refusalLine) {
  return "В изображении используется менее 24 бит на пиксель.\r\n" + refusalLine +
         "\r\nПреобразуйте изображение к 24-битовому формату (например в Paint)";
}

std::string FitSizeText(double across, double down);
std::string TooLargeText(long long width, long long height);
std::string WorkFileText(const std::string& workPath);
std::string OutOfMemoryText();

}  // namespace vexa::picture
