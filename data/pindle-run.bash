# bash completion for pindle-run: its options, and after each option the files it takes.

# Adds to COMPREPLY the folders and the files ending in one of the extensions that start with
# the word being completed.
_pindle_run_files() {
    local cur=$1 ext
    shift
    compopt -o filenames 2>/dev/null
    local IFS=$'\n'
    COMPREPLY+=($(compgen -d -- "$cur"))
    for ext in "$@"; do
        COMPREPLY+=($(compgen -f -X "!*.$ext" -- "$cur"))
    done
}

_pindle_run() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    case $prev in
    --max-steps | --jobs) return ;;
    --goal) _pindle_run_files "$cur" sit; return ;;
    --picture) _pindle_run_files "$cur" svg; return ;;
    --csv) _pindle_run_files "$cur" csv; return ;;
    --junit) _pindle_run_files "$cur" xml; return ;;
    esac
    local word ended=0
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        [[ $word == -- ]] && ended=1
    done
    # Options come before or among the files, until a -- ends them.
    if [[ $cur == -* && $ended == 0 ]]; then
        COMPREPLY=($(compgen -W "--max-steps --trace --lines --goal --picture --check --list
            --dump --grade --course --jobs --csv --junit --help --version --" -- "$cur"))
        return
    fi
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in
        --check | --list | --dump | --grade) _pindle_run_files "$cur" pnd; return ;;
        --course) _pindle_run_files "$cur"; return ;; # the course and the students: folders
        esac
    done
    _pindle_run_files "$cur" sit pnd
}
complete -F _pindle_run pindle-run
