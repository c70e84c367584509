# Packs the built program: the setup program (installer/Kelvane.nsi, compiled by NSIS) and the
# portable zip. Source it.

# The files of the program, as the build lays them beside Kelvane.exe.
program_files=(Kelvane.exe Kelvane.html
  Lan_English.ini Lan_German.ini Lan_French.ini Lan_Spanish.ini Lan_Italian.ini
  Lan_BrazilianPortuguese.ini Lan_Nederlands.ini Lan_Polish.ini Lan_Turkish.ini Lan_Russian.ini
  Lan_Chinese.ini Lan_Japanese.ini)

# program_version BUILD_DIR: prints the version the build put into the program.
program_version() {
  sed -n 's/^#define KELVANE_VERSION_TEXT "\(.*\)"$/\1/p' "$1/generated/KelvaneVersion.h"
}

# make_setup BUILD_DIR VERSION SETUP LOG: compiles the setup program into SETUP, labelled with
# VERSION; makensis's output goes to LOG.
make_setup() {
  local build_dir source_dir
  build_dir=$(cd "$1" && pwd)
  source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  mkdir -p "$(dirname "$3")"
  makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$2" -DPROGRAM_DIR="$build_dir" -DOUTFILE="$(cd "$(dirname "$3")" &&
    pwd)/$(basename "$3")" "$source_dir/installer/Kelvane.nsi" >"$4" 2>&1
}

# make_portable_zip BUILD_DIR ZIP: the program's files in one folder with an empty Backup
# folder beside them, the program's default place for backups.
make_portable_zip() {
  local staging file
  staging=$(mktemp -d)
  mkdir -p "$staging/Tessaly Kelvane/Backup"
  for file in "${program_files[@]}"; do
    cp -p "$1/$file" "$staging/Tessaly Kelvane/" || { rm -rf "$staging"; return 1; }
  done
  mkdir -p "$(dirname "$2")"
  rm -f "$2"
  local zip_path
  zip_path=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
  (cd "$staging" && zip -q -X -r "$zip_path" "Tessaly Kelvane")
  local status=$?
  rm -rf "$staging"
  return $status
}

# check_portable_zip BUILD_DIR ZIP: whether the zip holds the built program's files and an
# empty Backup folder in one folder, and nothing else; says what differs.
check_portable_zip() {
  local unpacked file expected found status=0
  unpacked=$(mktemp -d)
  unzip -q "$2" -d "$unpacked" || { rm -rf "$unpacked"; echo "cannot unpack $2"; return 1; }
  for file in "${program_files[@]}"; do
    cmp -s "$1/$file" "$unpacked/Tessaly Kelvane/$file" || { echo "$2: $file differs"; status=1; }
  done
  expected=$(printf '%s\n' "Tessaly Kelvane" "Tessaly Kelvane/Backup" \
    "${program_files[@]/#/Tessaly Kelvane/}" | sort)
  found=$(cd "$unpacked" && find . -mindepth 1 -printf '%P\n' | sort)
  [ "$found" = "$expected" ] || { echo "$2 holds: $(tr '\n' ' ' <<<"$found")"; status=1; }
  rm -rf "$unpacked"
  return $status
}
