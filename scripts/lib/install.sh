# The program as installed in a Wine prefix: its own folder in Program Files (the x86 one on
# 64-bit Windows), with its language files and help document beside it.

# program_folder PREFIX: prints the program's folder as a path on this machine.
program_folder() {
  local drive_c=$1/drive_c
  if [ -d "$drive_c/Program Files (x86)" ]; then
    echo "$drive_c/Program Files (x86)/Tessaly Kelvane"
  else
    echo "$drive_c/Program Files/Tessaly Kelvane"
  fi
}

# windows_path PREFIX PATH: PATH inside the prefix's drive C as Windows names it.
windows_path() {
  local inside=${2#"$1/drive_c/"}
  echo "C:\\${inside//\//\\}"
}

# host_path PREFIX PATH: a Windows path on drive C as a path on this machine.
host_path() {
  local inside=${2#[Cc]:\\}
  echo "$1/drive_c/${inside//\\//}"
}

# install_program BUILD_DIR PREFIX: copies the program from the build folder into the prefix.
install_program() {
  local folder
  folder=$(program_folder "$2")
  mkdir -p "$folder" && cp "$1/Kelvane.exe" "$1"/Lan_*.ini "$1/Kelvane.html" "$folder/"
}
