# bash completion for tovu

_tovu_regions() {
    # Every region id tovu knows would be a long list; these are the ids
    # people type, and any two letters are accepted.
    COMPREPLY=($(compgen -W "AE BH DE EG FR GB IN JO KW LB MA OM PK QA SA TR US" -- "${cur^^}"))
}

_tovu() {
    local cur prev words cword
    _init_completion || return
    local command=${words[1]:-}
    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "numbers open messages --show --clipboard --diagnose --help --version" -- "$cur"))
        return
    fi
    if [[ "$prev" == --region ]]; then
        _tovu_regions
        return
    fi
    if [[ "$prev" == --language ]]; then
        COMPREPLY=($(compgen -W "en ar zh-Hans ja ko es fr de it pt-BR ru" -- "$cur"))
        return
    fi
    case "$command" in
        numbers) COMPREPLY=($(compgen -W "--region --json --lines --line-buffered --help --" -- "$cur")) ;;
        open) COMPREPLY=($(compgen -W "--region --help --" -- "$cur")) ;;
        messages)
            case "${words[2]:-}" in
                export | import)
                    ((cword == 3)) && _filedir json
                    ;;
                *)
                    [[ "${words[2]:-}" != -* || $cword == 2 ]] &&
                        COMPREPLY=($(compgen -W "export import --language --json --help" -- "$cur"))
                    ;;
            esac
            ;;
        --version | -V) COMPREPLY=($(compgen -W "--verbose" -- "$cur")) ;;
    esac
}
complete -F _tovu tovu
