#pragma once
// Where the program keeps its files: everything lies under AppDir, the
// program's own folder, so that the program, the command-line tool and the
// tests agree on one path for each file.

#include <QString>

namespace tavrin {

// The program's folder with a trailing "/". Set once at start; tests point it
// at a temporary folder.
QString AppDir();
void SetAppDir(const QString& dir);
// AppDir + a path relative to it ("附属/固定投资计划表.txt").
QString AppPath(const QString& relative);
// AppDir + "数据库/彩票数据.mdb".
QString DatabaseFile();
// The folders laid beside the program.
inline constexpr const char* kDataFolders[] = {"数据库", "附属", "图片", "帮助"};

// The user's desktop folder for valueName "Desktop", empty for any other name
// or when there is none.
QString ShellFolderPath(const QString& valueName);

}  // namespace tavrin
